// Typing and pasting into a numeric entry field, on a model of its edit text that applies
// the field's own rules: a printable keystroke is checked with acceptsTyped ("." and ","
// typing the locale's separator), a paste is read with readEntry and undone when it does not
// read, Backspace and Delete are not filtered, caret moves and selections change nothing.
// Leaving the field reads the text and rewrites it as editText of the value.
//
// What must hold: every text reached by typing or pasting reads or, typed, is the beginning
// of a number, so only deleting characters or leaving a number unfinished can leave a field
// whose value cannot be read; and the edit text written for
// any value the field holds reads back as that value rounded to the field's decimals.

#include "FuzzSupport.h"

#include "core/numbers/NumberText.h"

#include <QList>

#include <algorithm>

using namespace tavi;

namespace
{

constexpr int kDecimals = 2; // every field of the program keeps two decimals

struct Field {
    QString text;
    qsizetype cursor = 0;
    qsizetype anchor = 0; // the other end of the selection; equal to cursor for none
    // Whether the last change of the text was a deletion, the one edit that may leave it
    // unreadable.
    bool deleted = false;

    qsizetype selectionStart() const { return std::min(cursor, anchor); }
    qsizetype selectionEnd() const { return std::max(cursor, anchor); }
    bool hasSelection() const { return cursor != anchor; }

    QString withInsert(const QString &s) const
    {
        QString result = text;
        result.replace(selectionStart(), selectionEnd() - selectionStart(), s);
        return result;
    }
    void insert(const QString &s)
    {
        const qsizetype at = selectionStart();
        text = withInsert(s);
        cursor = anchor = at + s.size();
    }
    void move(qsizetype to, bool mark)
    {
        cursor = std::clamp<qsizetype>(to, 0, text.size());
        if (!mark)
            anchor = cursor;
    }
    void selectAll()
    {
        anchor = 0;
        cursor = text.size();
    }
};

class Session
{
public:
    Session(const LocaleSettings &locale, const QString &start) : m_locale(locale), m_start(start)
    {
        m_field.text = start;
        m_field.selectAll();
    }

    void type(QChar c)
    {
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            c = m_locale.decimalSeparator;
        const QString candidate = m_field.withInsert(QString(c));
        const bool accepted = acceptsTyped(candidate, kDecimals, m_locale);
        if (accepted) {
            m_field.insert(QString(c));
            m_field.deleted = false;
        }
        note(QStringLiteral("type"), QString(c), accepted);
    }

    void paste(const QString &clip)
    {
        if (clip.isEmpty() && !m_field.hasSelection())
            return; // an empty clipboard pastes nothing
        const QString before = m_field.text;
        m_field.insert(clip);
        const bool reads = readEntry(m_field.text, nullptr, m_locale);
        if (reads) {
            m_field.deleted = false;
        } else {
            m_field.text = before;
            m_field.selectAll();
        }
        note(QStringLiteral("paste"), clip, reads);
    }

    void backspace()
    {
        if (m_field.hasSelection()) {
            m_field.insert(QString());
            m_field.deleted = true;
        } else if (m_field.cursor > 0) {
            m_field.text.remove(m_field.cursor - 1, 1);
            m_field.move(m_field.cursor - 1, false);
            m_field.deleted = true;
        }
        note(QStringLiteral("backspace"));
    }

    void del()
    {
        if (m_field.hasSelection()) {
            m_field.insert(QString());
            m_field.deleted = true;
        } else if (m_field.cursor < m_field.text.size()) {
            m_field.text.remove(m_field.cursor, 1);
            m_field.deleted = true;
        }
        note(QStringLiteral("delete"));
    }

    void move(qsizetype to, bool mark)
    {
        m_field.move(to, mark);
        note(mark ? QStringLiteral("select") : QStringLiteral("caret"));
    }
    qsizetype cursor() const { return m_field.cursor; }
    qsizetype length() const { return m_field.text.size(); }

    void selectAll()
    {
        m_field.selectAll();
        note(QStringLiteral("select-all"));
    }

    // Focus out and back in: a readable text is rewritten from its value; an unreadable one
    // is reported, stays, and is selected.
    void leaveAndEnter()
    {
        long double v = 0;
        const bool reads = readEntry(m_field.text, &v, m_locale);
        FUZZ_CHECK(reads || m_field.deleted || beginsNumber(m_field.text),
                   "only deleting or unfinished typing leaves a text that cannot be read", log());
        if (reads) {
            m_field.text = editText(v, kDecimals, true, m_locale);
            m_field.deleted = false;
        }
        m_field.selectAll();
        note(QStringLiteral("leave and enter"));
    }

    // Checked after every step that changed the text.
    void checkInvariants()
    {
        if (m_checked && m_field.text == m_lastChecked)
            return;
        m_checked = true;
        m_lastChecked = m_field.text;
        long double v = 0;
        const bool reads = readEntry(m_field.text, &v, m_locale);
        FUZZ_CHECK(reads || m_field.deleted || beginsNumber(m_field.text),
                   "every text reached by typing or pasting reads, or begins a number", log());
        if (!reads)
            v = 0; // what the field's value is then
        const QString written = editText(v, kDecimals, true, m_locale);
        long double back = 0;
        FUZZ_CHECK(readEntry(written, &back, m_locale), "the edit text of the value reads",
                   log() + QStringLiteral("\n    value ") + fuzz::describe(v) +
                       QStringLiteral(" -> ") + fuzz::visible(written));
        FUZZ_CHECK(back == roundHalfAway(v, kDecimals),
                   "the edit text reads back as the value rounded to its decimals",
                   log() + QStringLiteral("\n    value ") + fuzz::describe(v) +
                       QStringLiteral(" -> ") + fuzz::visible(written) + QStringLiteral(" -> ") +
                       fuzz::describe(back));
    }

private:
    // Typing may leave a number unfinished ("1E-"), which a further digit makes readable.
    bool beginsNumber(const QString &text) const
    {
        return readEntry(text + QLatin1Char('0'), nullptr, m_locale);
    }

    struct Step {
        QString what;
        QString argument;
        bool done;
        QString text; // the text after the step
    };

    // Steps are kept as they are (copying a QString only shares it) and written out only
    // when a property breaks; a long run keeps its last steps.
    void note(const QString &what, const QString &argument = QString(), bool done = true)
    {
        m_steps.append({what, argument, done, m_field.text});
        if (m_steps.size() > 400)
            m_steps.remove(0, 200);
    }
    QString log() const
    {
        QString text = QStringLiteral("start ") + fuzz::visible(m_start);
        for (const Step &step : m_steps) {
            text += QStringLiteral("\n    ") + step.what;
            if (!step.argument.isNull())
                text += QLatin1Char(' ') + fuzz::visible(step.argument);
            if (!step.done)
                text += QStringLiteral(" (refused)");
            text += QStringLiteral(" => ") + fuzz::visible(step.text);
        }
        return text;
    }

    LocaleSettings m_locale;
    QString m_start;
    Field m_field;
    QList<Step> m_steps;
    bool m_checked = false;
    QString m_lastChecked;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const LocaleSettings locale = fuzz::localeFor(data[0]);
    size_t i = 1;
    QString start;
    // Bit 1: start from the edit text a field holding some value shows on entering.
    if ((data[0] & 2) && size >= 11) {
        const long double v = fuzz::extendedFrom(data + 1);
        if (std::isfinite(v))
            start = editText(v, kDecimals, true, locale);
        i = 11;
    }
    Session session(locale, start);
    session.checkInvariants();
    static const char kLetters[] = "abcdefgh";
    while (i < size) {
        const uint8_t b = data[i++];
        const int op = b & 31;
        const int arg = b >> 5;
        if (op <= 9) {
            session.type(QLatin1Char(char('0' + op)));
        } else if (op == 10) {
            session.type(QLatin1Char('.'));
        } else if (op == 11) {
            session.type(QLatin1Char(','));
        } else if (op == 12) {
            session.type(QLatin1Char('+'));
        } else if (op == 13) {
            session.type(QLatin1Char('-'));
        } else if (op == 14) {
            session.type(QLatin1Char('E'));
        } else if (op == 15) {
            session.type(QLatin1Char('e'));
        } else if (op == 16) {
            session.type(QLatin1Char(kLetters[arg]));
        } else if (op == 17) {
            session.type(QLatin1Char(' '));
        } else if (op == 18) {
            session.backspace();
        } else if (op == 19) {
            session.del();
        } else if (op == 20 || op == 22) {
            session.move(session.cursor() - 1, op == 22);
        } else if (op == 21 || op == 23) {
            session.move(session.cursor() + 1, op == 23);
        } else if (op == 24) {
            session.move(0, arg & 1);
        } else if (op == 25) {
            session.move(session.length(), arg & 1);
        } else if (op == 26) {
            session.selectAll();
        } else if (op == 27) {
            // A short clipboard text, one character per byte.
            const size_t length = std::min<size_t>(arg * 2, size - i);
            session.paste(
                QString::fromLatin1(reinterpret_cast<const char *>(data + i), qsizetype(length)));
            i += length;
        } else if (op == 28) {
            session.leaveAndEnter();
        } else if (op == 29) {
            // Any other printable character, the next byte as Latin-1.
            if (i < size) {
                const uint8_t c = data[i++];
                if (c >= 32 && c != 127)
                    session.type(QChar(c));
            }
        } else {
            session.type(QLatin1Char(char('0' + (arg + (op - 30) * 5) % 10)));
        }
        session.checkInvariants();
    }
    return 0;
}
