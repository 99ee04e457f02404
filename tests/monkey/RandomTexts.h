#pragma once

// Characters a user might type and texts a user might paste, drawn from a seeded generator:
// numbers written every way a user could write them (either separator, grouping, signs,
// exponents, the range's edges), and texts that are no number at all.

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <iterator>

namespace monkey
{

class RandomTexts
{
public:
    explicit RandomTexts(QRandomGenerator &rng) : m_rng(rng) {}

    int below(int n) { return int(m_rng.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <class List> const auto &pick(const List &list)
    {
        return list[below(int(std::size(list)))];
    }

    // The extremes every field and input cell must survive.
    static const QStringList &extremes()
    {
        static const QStringList texts = {
            QStringLiteral("1E4000"), QStringLiteral("-1E4000"), QStringLiteral("0"),
            QStringLiteral("-1000"),  QStringLiteral("1E-4000"), QStringLiteral("-0"),
        };
        return texts;
    }

    // One character as typed: mostly what a number is made of, some letters and punctuation.
    QChar typedCharacter()
    {
        static const QString numberPart = QStringLiteral("0123456789.,-+Ee");
        static const QString other = QStringLiteral("abcxyzABCXYZçãéÇ %/*()'\";:$R_=?!");
        const int roll = below(100);
        if (roll < 60)
            return QChar(u'0' + below(10));
        if (roll < 90)
            return numberPart[below(int(numberPart.size()))];
        return other[below(int(other.size()))];
    }

    // A number in one of many spellings, right or wrong for the locale.
    QString number()
    {
        QString digits = QString::number(m_rng.bounded(1000000));
        switch (below(10)) {
        case 0:
            digits = QStringLiteral("0");
            break;
        case 1: // a run of digits longer than any significance
            digits.clear();
            for (int i = 0, n = 1 + below(40); i < n; ++i)
                digits += QChar(u'0' + below(10));
            break;
        case 2: // grouped, with either separator
            if (digits.size() > 3)
                digits.insert(digits.size() - 3, chance(50) ? u'.' : u',');
            break;
        default:
            break;
        }
        QString text = digits;
        if (chance(50)) {
            text += chance(50) ? u',' : u'.';
            for (int i = 0, n = below(5); i < n; ++i)
                text += QChar(u'0' + below(10));
        }
        if (chance(20)) {
            text += chance(50) ? u'E' : u'e';
            if (chance(40))
                text += chance(50) ? u'-' : u'+';
            text += QString::number(m_rng.bounded(5000));
        }
        if (chance(25))
            text.prepend(chance(80) ? u'-' : u'+');
        return text;
    }

    // A clipboard text: a number, an extreme, a block of cells, or something that reads as
    // no number at all.
    QString clipboardText()
    {
        static const QStringList junk = {
            QString(),
            QStringLiteral(" "),
            QStringLiteral("-"),
            QStringLiteral("+"),
            QStringLiteral("E5"),
            QStringLiteral("1e"),
            QStringLiteral("1E+"),
            QStringLiteral("1..2"),
            QStringLiteral(",5"),
            QStringLiteral("5,"),
            QStringLiteral("1.234.567,89"),
            QStringLiteral("1,234,567.89"),
            QStringLiteral("abc"),
            QStringLiteral("NaN"),
            QStringLiteral("INF"),
            QStringLiteral("-inf"),
            QStringLiteral("0x1F"),
            QStringLiteral("1E4932"),
            QStringLiteral("-1E4933"),
            QStringLiteral("1E-4951"),
            QStringLiteral("1,18973149535723176502E4932"),
            QStringLiteral("1.18973149535723176502E4932"),
            QStringLiteral("R$ 1.234,56"),
            QStringLiteral("\u00a012\u00a0"),
            QStringLiteral("\uff11\uff12"), // full-width digits
            QStringLiteral("\u0661\u0662"), // Arabic-Indic digits
            QStringLiteral("12\u200b3"),    // a zero-width space inside
            QStringLiteral("<b>1</b>"),
            QStringLiteral("%s%n"),
            QStringLiteral("1\t2\n3\t4"),
            QStringLiteral("1\r\n2\r\n"),
            QStringLiteral("\t\t\n\n"),
        };
        const int roll = below(100);
        if (roll < 35)
            return number();
        if (roll < 50)
            return pick(extremes());
        if (roll < 85)
            return pick(junk);
        if (roll < 95)
            return block();
        // A very long text: thousands of digits, or of anything.
        QString text;
        const QChar c = chance(50) ? QChar(u'9') : typedCharacter();
        text.fill(c, 100 + below(5000));
        return text;
    }

private:
    // Rows of tab-separated cells, as a spreadsheet copies them.
    QString block()
    {
        QStringList lines;
        const int rows = 1 + below(chance(20) ? 400 : 4);
        const int columns = 1 + below(chance(20) ? 12 : 3);
        for (int r = 0; r < rows; ++r) {
            QStringList cells;
            for (int c = 0; c < columns; ++c)
                cells << (chance(85) ? number() : pick(extremes()));
            lines << cells.join(QLatin1Char('\t'));
        }
        return lines.join(chance(50) ? QStringLiteral("\n") : QStringLiteral("\r\n"));
    }

    QRandomGenerator &m_rng;
};

} // namespace monkey
