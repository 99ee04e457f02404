#include "core/region/MunicipalityCode.h"

namespace tavi::region
{

namespace
{

struct State {
    int code;
    const char *abbreviation;
};

constexpr State kStates[] = {
    {11, "RO"}, {12, "AC"}, {13, "AM"}, {14, "RR"}, {15, "PA"}, {16, "AP"}, {17, "TO"},
    {21, "MA"}, {22, "PI"}, {23, "CE"}, {24, "RN"}, {25, "PB"}, {26, "PE"}, {27, "AL"},
    {28, "SE"}, {29, "BA"}, {31, "MG"}, {32, "ES"}, {33, "RJ"}, {35, "SP"}, {41, "PR"},
    {42, "SC"}, {43, "RS"}, {50, "MS"}, {51, "MT"}, {52, "GO"}, {53, "DF"},
};

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return true;
}

} // namespace

QString stateAbbreviation(int stateCode)
{
    for (const State &state : kStates) {
        if (state.code == stateCode)
            return QString::fromLatin1(state.abbreviation);
    }
    return {};
}

int MunicipalityCode::checkDigit(const QString &sixDigits)
{
    int sum = 0;
    for (int i = 0; i < 6 && i < sixDigits.size(); ++i) {
        const int product = (sixDigits[i].unicode() - '0') * (i % 2 == 0 ? 1 : 2);
        sum += product > 9 ? product - 9 : product;
    }
    return (10 - sum % 10) % 10;
}

std::optional<MunicipalityCode> MunicipalityCode::fromText(const QString &text)
{
    const QString digits = text.trimmed();
    if ((digits.size() != 6 && digits.size() != 7) || !allDigits(digits))
        return std::nullopt;
    if (stateAbbreviation(digits.left(2).toInt()).isEmpty())
        return std::nullopt;
    // A seven-digit code is taken as written: a few municipalities created after the rule
    // carry a last digit that disagrees with it, and IBGE's code is what every table joins on.
    if (digits.size() == 7)
        return MunicipalityCode(digits);
    return MunicipalityCode(digits + QChar(u'0' + checkDigit(digits)));
}

int MunicipalityCode::stateCode() const
{
    return m_code.left(2).toInt();
}

QString MunicipalityCode::state() const
{
    return stateAbbreviation(stateCode());
}

} // namespace tavi::region
