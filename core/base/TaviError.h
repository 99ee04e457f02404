#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace tavi
{

class CellTable;

// The cell where a run stopped, so that the window can show it to the user; or the field
// (by component name) whose value stopped it.
struct CellPlace {
    const CellTable *table = nullptr;
    int col = -1;
    int row = -1;
    QString field;
    bool isKnown() const { return table != nullptr; }
};

// An error that ends a handler and reaches the user in the application error box,
// carrying the program's own Portuguese message.
class TaviError : public std::exception
{
public:
    explicit TaviError(const QString &message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }
    // Where it happened, when that was a cell; unknown otherwise.
    const CellPlace &place() const { return m_place; }
    void setPlace(const CellPlace &place) { m_place = place; }
    // A field whose value cannot be used: the window makes it current after the message.
    void setField(const QString &name) { m_place.field = name; }
    // A second line that names the place in the user's terms ("Série, dia 100, coluna ETP"),
    // shown under the message; empty when the message says enough.
    const QString &where() const { return m_where; }
    void setWhere(const QString &where) { m_where = where; }
    // The message and, on a line of its own, where it happened.
    QString fullMessage() const;

private:
    QString m_message;
    QByteArray m_utf8;
    CellPlace m_place;
    QString m_where;
};

// A text that does not read as a number.
class ConvertError : public TaviError
{
public:
    explicit ConvertError(const QString &text);
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// Division by zero, an invalid operation or an overflow in extended arithmetic.
class FloatError : public TaviError
{
public:
    enum Kind { DivisionByZero, InvalidOperation, Overflow };
    explicit FloatError(Kind kind);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

namespace messages
{
QString notAFloat(const QString &text); // "'%s' não é um valor de ponto flutuante válido"
extern const char *const divisionByZero;
extern const char *const invalidOperation;
extern const char *const overflow;
} // namespace messages

} // namespace tavi
