#include "core/numbers/DecimalDigits.h"

#include <QtGlobal>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavi::decimal
{

namespace
{

void dropTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

} // namespace

// Forty digits pin an extended value down far below its own spacing; more would change none
// of the roundings the texts make.
constexpr int kMostDigits = 40;

Decimal decimalOf(long double v, int significant)
{
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0)
        return d;
    char buf[kMostDigits + 32];
    std::snprintf(buf, sizeof buf, "%.*Le", qBound(1, significant, kMostDigits) - 1, v);
    const char *p = buf;
    if (*p == '-')
        ++p;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    if (*p == 'e')
        d.exp = std::atoi(p + 1);
    dropTrailingZeros(d);
    return d;
}

// Keeps the digits of weight 10^lowest and above, rounding half away from zero on the
// decimal digits themselves (no floating-point scaling, which would bring its own error).
void roundAt(Decimal &d, int lowest)
{
    if (d.isZero())
        return;
    const long long keepLong = static_cast<long long>(d.exp) - lowest + 1;
    if (keepLong >= static_cast<long long>(d.digits.size()))
        return;
    if (keepLong < 0) {
        d.digits.clear();
        return;
    }
    const size_t keep = static_cast<size_t>(keepLong);
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        size_t i = keep;
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exp;
        } else {
            ++d.digits[i - 1];
        }
    }
    dropTrailingZeros(d);
}

void roundSignificant(Decimal &d, int digits)
{
    roundAt(d, d.exp - digits + 1);
}

// The value rounded half away from zero to `decimals` places. Eighteen digits leave room for
// that rounding only up to about 10^13: beyond, the places kept reach the 18th digit, and a
// value such as 12345678901234567.25 would show and keep ",2" (its 18-digit form being
// ...567.2), so that merely entering and leaving its field changed it. Three digits are
// therefore always kept behind the last place, which bounds the effect of rounding twice to
// a thousandth of the half unit.
Decimal roundedTo(long double v, int decimals)
{
    Decimal d = decimalOf(v);
    const long long wanted = static_cast<long long>(d.exp) + decimals + 4;
    if (!d.isZero() && wanted > kDefaultDigits)
        d = decimalOf(v, static_cast<int>(qMin<long long>(wanted, kMostDigits)));
    roundAt(d, -decimals);
    return d;
}

// The digits in front of the decimal separator ("" below 1).
std::string integerDigits(const Decimal &d)
{
    if (d.isZero() || d.exp < 0)
        return std::string();
    std::string s = d.digits.substr(0, static_cast<size_t>(d.exp) + 1);
    s.resize(static_cast<size_t>(d.exp) + 1, '0');
    return s;
}

// The digits after the decimal separator, without trailing zeros.
std::string fractionDigits(const Decimal &d)
{
    if (d.isZero())
        return std::string();
    if (d.exp >= 0) {
        const size_t intLen = static_cast<size_t>(d.exp) + 1;
        return intLen < d.digits.size() ? d.digits.substr(intLen) : std::string();
    }
    return std::string(static_cast<size_t>(-d.exp - 1), '0') + d.digits;
}

long double valueOf(const Decimal &d)
{
    if (d.isZero())
        return 0;
    // Digits and a power of ten only: no decimal point, so the C library's own locale
    // cannot get in the way.
    const std::string text =
        d.digits + 'e' +
        std::to_string(static_cast<long long>(d.exp) + 1 - static_cast<long long>(d.digits.size()));
    const long double v = std::strtold(text.c_str(), nullptr);
    return d.negative ? -v : v;
}

QString fromDigits(const std::string &digits)
{
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

QString nonFiniteText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString fixedText(const Decimal &d, QChar separator)
{
    QString text;
    if (d.negative && !d.isZero())
        text += QLatin1Char('-');
    const std::string ints = integerDigits(d);
    text += ints.empty() ? QStringLiteral("0") : fromDigits(ints);
    const std::string fraction = fractionDigits(d);
    if (!fraction.empty()) {
        text += separator;
        text += fromDigits(fraction);
    }
    return text;
}

bool isBlank(QChar c)
{
    return c.unicode() <= ' ';
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace tavi::decimal
