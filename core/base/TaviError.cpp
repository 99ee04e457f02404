#include "core/base/TaviError.h"

namespace tavi
{

namespace messages
{
const char *const divisionByZero = "Divisão de ponto flutuante por zero";
const char *const invalidOperation = "Operação de ponto flutuante inválida";
const char *const overflow = "Excedeu a capacidade máxima do tipo ponto flutuante";

QString notAFloat(const QString &text)
{
    return QStringLiteral("'%1' não é um valor de ponto flutuante válido").arg(text);
}
} // namespace messages

TaviError::TaviError(const QString &message) : m_message(message), m_utf8(message.toUtf8()) {}

QString TaviError::fullMessage() const
{
    return m_where.isEmpty() ? m_message : m_message + QLatin1Char('\n') + m_where;
}

ConvertError::ConvertError(const QString &text) : TaviError(messages::notAFloat(text)), m_text(text)
{
}

static QString floatMessage(FloatError::Kind kind)
{
    switch (kind) {
    case FloatError::DivisionByZero:
        return QString::fromUtf8(messages::divisionByZero);
    case FloatError::InvalidOperation:
        return QString::fromUtf8(messages::invalidOperation);
    case FloatError::Overflow:
        break;
    }
    return QString::fromUtf8(messages::overflow);
}

FloatError::FloatError(Kind kind) : TaviError(floatMessage(kind)), m_kind(kind) {}

} // namespace tavi
