#include "frame/NumericEdit.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "frame/CheckedPasteMenu.h"
#include "frame/Guard.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QPointer>
#include <QTimer>

using namespace tavi;

NumericEdit::NumericEdit(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    showDisplayText();
}

long double NumericEdit::value()
{
    long double v = 0;
    if (!readEntry(editText(), &v))
        v = 0;
    m_value = v;
    if (!m_editing)
        showDisplayText();
    return v;
}

void NumericEdit::setValue(long double value)
{
    m_value = value;
    m_editText = tavi::editText(value, m_decimalPlaces, m_zeroEmpty);
    if (m_editing)
        setText(m_editText);
    else
        showDisplayText();
}

QString NumericEdit::editText() const
{
    return m_editing ? text() : m_editText;
}

QString NumericEdit::keptText() const
{
    long double typed = 0;
    if (m_editing && readEntry(text(), &typed))
        return tavi::editText(typed, m_decimalPlaces, m_zeroEmpty);
    return m_editText;
}

QString NumericEdit::displayTextOfValue() const
{
    if (m_blankZero && m_value == 0)
        return QString();
    if (m_displayFormat.isEmpty())
        return formatCurrency(m_value, m_decimalPlaces);
    return formatDisplay(m_value, m_displayFormat);
}

void NumericEdit::setBlankZero(bool on)
{
    m_blankZero = on;
    if (!m_editing)
        showDisplayText();
}

void NumericEdit::setDisplayFormat(const QString &format)
{
    m_displayFormat = format;
    if (!m_editing)
        showDisplayText();
}

void NumericEdit::showDisplayText()
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(displayTextOfValue());
    setCursorPosition(0);
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    // Coming back from another window, or to a field whose unreadable text is being
    // reported, keeps the text as it is.
    if (!m_editing) {
        m_editing = true;
        m_editText = tavi::editText(m_value, m_decimalPlaces, m_zeroEmpty);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setText(m_editText);
    }
    QLineEdit::focusInEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking over (a message box, a popup, another program) is not leaving.
    const Qt::FocusReason reason = event->reason();
    if (!m_editing || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    long double v = 0;
    if (!readEntry(text(), &v)) {
        m_rejected = true;
        reportUnreadable(normaliseEntry(text()));
        return;
    }
    m_rejected = false;
    m_editing = false;
    setValue(v);
    emit exited();
    if (reason == Qt::TabFocusReason)
        emit exitedForwards();
}

void NumericEdit::finishEditing()
{
    long double v = 0;
    if (!m_editing || hasFocus() || !readEntry(text(), &v))
        return;
    m_editing = false;
    setValue(v);
}

// The error box cannot open in the middle of a focus change, so it opens right after it;
// then the field takes the focus back with its text selected, and its exit handler does not
// run.
void NumericEdit::reportUnreadable(const QString &normalised)
{
    QPointer<NumericEdit> self(this);
    QTimer::singleShot(0, this, [self, normalised] {
        if (!self || !self->isVisible())
            return;
        runGuarded(self, [&] { throw ConvertError(normalised); });
        if (!self)
            return;
        self->setFocus(Qt::OtherFocusReason);
        self->selectAll();
        // The field the focus had gone to was entered, then covered by the box: it is left
        // now, and shows its display text again.
        for (NumericEdit *other : self->window()->findChildren<NumericEdit *>())
            if (other != self)
                other->finishEditing();
    });
}

void NumericEdit::refuse()
{
    QApplication::beep();
    emit refused();
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            pasteChecked();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].unicode() >= 32 &&
                           typed[0].unicode() != 127 &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!printable || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar c = typed[0];
    const LocaleSettings &locale = LocaleSettings::current();
    if (c == QLatin1Char('.') || c == QLatin1Char(','))
        c = locale.decimalSeparator;
    QString candidate = text();
    if (hasSelectedText())
        candidate.replace(selectionStart(), selectedText().size(), c);
    else
        candidate.insert(cursorPosition(), c);
    if (acceptsTyped(candidate, m_decimalPlaces, locale))
        insert(QString(c));
    else
        refuse();
    event->accept();
}

void NumericEdit::pasteChecked(QClipboard::Mode mode)
{
    const QString before = text();
    if (mode == QClipboard::Clipboard) {
        paste();
    } else {
        QString clip = QGuiApplication::clipboard()->text(mode);
        clip.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        insert(clip);
    }
    long double v = 0;
    if (readEntry(text(), &v)) {
        m_value = v;
        return;
    }
    setText(before);
    selectAll();
    setFocus(Qt::OtherFocusReason);
    refuse();
}

void NumericEdit::contextMenuEvent(QContextMenuEvent *event)
{
    popupMenuWithCheckedPaste(this, event->globalPos(), [this] { pasteChecked(); });
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly())
            pasteChecked(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumericEdit::dropEvent(QDropEvent *event)
{
    const QString before = text();
    QLineEdit::dropEvent(event);
    long double v = 0;
    if (!readEntry(text(), &v)) {
        setText(before);
        selectAll();
        refuse();
    }
}
