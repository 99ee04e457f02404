#pragma once

#include <QChar>
#include <QString>

#include <string>

// The decimal engine under every number text: a value as its decimal digits, rounded on the
// digits themselves, never by scaling in floating point.
namespace tavi::decimal
{

// A finite number as decimal digits: digits[0] has the weight 10^exp, the others follow it.
// No leading zeros and no trailing zeros; empty digits mean zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exp = 0;

    bool isZero() const { return digits.empty(); }
};

// Eighteen significant digits by default, correctly rounded by the C library: few enough that
// a decimal such as 1.005, stored a hair below, comes out as 1.00500000000000000, so that
// rounding it afterwards goes the way the user expects.
constexpr int kDefaultDigits = 18;

// From here on an extended value holds no hundredths (its spacing is 1/16 or more), and a
// fixed text would run to 19 digits and beyond; the general format keeps these readable.
constexpr long double kFixedLimit = 1e18L;

Decimal decimalOf(long double v, int significant = kDefaultDigits);
// Keeps the digits of weight 10^lowest and above, rounding half away from zero.
void roundAt(Decimal &d, int lowest);
void roundSignificant(Decimal &d, int digits);
// The value rounded half away from zero to `decimals` places.
Decimal roundedTo(long double v, int decimals);
// The digits in front of the decimal separator ("" below 1), and after it without trailing
// zeros.
std::string integerDigits(const Decimal &d);
std::string fractionDigits(const Decimal &d);
long double valueOf(const Decimal &d);
QString fromDigits(const std::string &digits);
// "NAN", "INF", "-INF".
QString nonFiniteText(long double value);
// "-12,5": sign, integer digits ("0" below 1), the separator and the fraction where there is one.
QString fixedText(const Decimal &d, QChar separator);

bool isBlank(QChar c);
bool isAsciiDigit(QChar c);

} // namespace tavi::decimal
