#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace tavi
{

// An error that ends a handler and reaches the user in the application error box,
// carrying the program's own Portuguese message.
class TaviError : public std::exception
{
public:
    explicit TaviError(const QString &message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
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
