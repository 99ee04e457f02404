#pragma once

#include <QClipboard>
#include <QLineEdit>

// A one-line field holding a floating-point value. It keeps two texts: the edit text, typed
// and edited by the user (at most decimalPlaces decimals, no grouping), shown left-aligned
// while the field has the focus; and the display text, the value through displayFormat,
// shown right-aligned otherwise. Keystrokes and pastes that would leave an unreadable text
// are refused with the system beep.
class NumericEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(int decimalPlaces READ decimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(bool zeroEmpty READ zeroEmpty WRITE setZeroEmpty)

public:
    explicit NumericEdit(QWidget *parent = nullptr);

    // Parses the edit text afresh; an unreadable text reads as 0. The result is kept as the
    // field's value.
    long double value();
    // Stores the value and rewrites the edit text from it (decimalPlaces decimals, half away
    // from zero, empty for 0 when zeroEmpty).
    void setValue(long double value);

    QString editText() const;
    // The number the field stands for, as its edit text: what is being typed where it reads,
    // else the last value the field was left with. What a window keeps of the field when it
    // closes in the middle of an edit.
    QString keptText() const;
    QString displayTextOfValue() const;

    // Empty: the currency pattern of the user's locale.
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);
    int decimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(int places) { m_decimalPlaces = places; }
    bool zeroEmpty() const { return m_zeroEmpty; }
    void setZeroEmpty(bool on) { m_zeroEmpty = on; }
    // Whether 0 is shown as nothing too, for a field where nothing typed means "none" rather
    // than a number (a target that is not set).
    bool blankZero() const { return m_blankZero; }
    void setBlankZero(bool on);

    // Whether the field shows its edit text (it has been entered and not yet left).
    bool isEditing() const { return m_editing; }

    // A paste checked as a typed text is: an unreadable result puts the old text back.
    void pasteChecked(QClipboard::Mode mode = QClipboard::Clipboard);

    // Whether the field was left with a text that does not read, and has not been left
    // with a readable one since: its error is being reported, and the click that took the
    // focus away is not acted on.
    bool isRejected() const { return m_rejected; }

signals:
    // The field was left with a readable text.
    void exited();
    // ... and the focus went forwards, by Enter or Tab: the window's exit handler runs on it.
    // A click or Shift+Tab goes where the user pointed.
    void exitedForwards();
    // A keystroke or paste was refused (the beep sounded).
    void refused();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showDisplayText();
    void refuse();
    void reportUnreadable(const QString &normalised);
    // Back to the display text for a field left while the window was covered, when the
    // focus change that left it came to no field.
    void finishEditing();

    QString m_displayFormat;
    int m_decimalPlaces = 2;
    bool m_zeroEmpty = true;
    bool m_blankZero = false;
    long double m_value = 0;
    QString m_editText;
    bool m_editing = false;
    bool m_rejected = false;
};
