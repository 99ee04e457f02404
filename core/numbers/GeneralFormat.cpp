#include "core/numbers/GeneralFormat.h"

#include "core/base/TaviError.h"
#include "core/numbers/DecimalDigits.h"

namespace tavi
{

using namespace decimal;

QString formatGeneral(long double value, const LocaleSettings &locale)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    Decimal d = decimalOf(value);
    roundSignificant(d, 15);
    if (d.exp >= -4 && d.exp < 15)
        return fixedText(d, locale.decimalSeparator);

    QString text;
    if (d.negative)
        text += QLatin1Char('-');
    text += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        text += locale.decimalSeparator;
        text += fromDigits(d.digits.substr(1));
    }
    text += QLatin1Char('E');
    text += QString::number(d.exp);
    return text;
}

bool tryTextToNumber(const QString &text, long double *out, const LocaleSettings &locale)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text.at(i)))
        ++i;
    while (end > i && isBlank(text.at(end - 1)))
        --end;

    bool negative = false;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    std::string mantissa;
    for (; i < end && isAsciiDigit(text.at(i)); ++i)
        mantissa.push_back(static_cast<char>(text.at(i).unicode()));
    long long fractionLength = 0;
    if (i < end && text.at(i) == locale.decimalSeparator) {
        for (++i; i < end && isAsciiDigit(text.at(i)); ++i) {
            mantissa.push_back(static_cast<char>(text.at(i).unicode()));
            ++fractionLength;
        }
    }
    if (mantissa.empty())
        return false;

    long long exponent = 0;
    if (i < end && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
            negativeExponent = text.at(i) == QLatin1Char('-');
            ++i;
        }
        if (i == end || !isAsciiDigit(text.at(i)))
            return false;
        // Far beyond any representable power; saturating keeps the arithmetic in range and
        // still leads to overflow or to zero.
        constexpr long long kCap = 1000000000LL;
        for (; i < end && isAsciiDigit(text.at(i)); ++i) {
            if (exponent < kCap)
                exponent = exponent * 10 + (text.at(i).unicode() - '0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != end)
        return false;

    // The separator is never handed to the C library: digits and a power of ten only, so
    // its locale plays no part and the conversion is correctly rounded.
    const std::string c = mantissa + 'e' + std::to_string(exponent - fractionLength);
    const long double v = std::strtold(c.c_str(), nullptr);
    if (std::isinf(v))
        return false;
    if (out)
        *out = negative ? -v : v;
    return true;
}

long double textToNumber(const QString &text, const LocaleSettings &locale)
{
    long double v = 0;
    if (!tryTextToNumber(text, &v, locale))
        throw ConvertError(text);
    return v;
}

QString dayLabel(int day)
{
    const QString digits = QString::number(day);
    return day >= 0 && day < 10 ? QLatin1Char('0') + digits : digits;
}

} // namespace tavi
