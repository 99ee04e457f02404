#include "core/numbers/NumberText.h"

#include "core/base/TaviError.h"

#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavi
{

namespace
{

// A finite number as decimal digits: digits[0] has the weight 10^exp, the others follow it.
// No leading zeros and no trailing zeros; empty digits mean zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exp = 0;

    bool isZero() const { return digits.empty(); }
};

void dropTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// Eighteen significant digits by default, correctly rounded by the C library: few enough that
// a decimal such as 1.005, stored a hair below, comes out as 1.00500000000000000, so that
// rounding it afterwards goes the way the user expects. Only digits and the exponent are
// picked out, so whatever decimal point the C library's locale prints does not matter.
constexpr int kDefaultDigits = 18;
// Forty digits pin an extended value down far below its own spacing; more would change none
// of the roundings the texts make.
constexpr int kMostDigits = 40;

Decimal decimalOf(long double v, int significant = kDefaultDigits)
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

// From here on an extended value holds no hundredths (its spacing is 1/16 or more), and a
// fixed text would run to 19 digits and beyond; the general format keeps these readable.
constexpr long double kFixedLimit = 1e18L;

// ---- display patterns ----

struct Section {
    QString prefix;
    QString suffix;
    bool grouping = false;
    bool hasPlaceholder = false;
    int integerMin = 0;
    int decimalsMin = 0;
    int decimalsMax = 0;
};

QStringList splitSections(const QString &pattern)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

Section parseSection(const QString &text)
{
    Section s;
    bool afterPoint = false;
    auto literal = [&s](QChar c) {
        if (s.hasPlaceholder)
            s.suffix += c;
        else
            s.prefix += c;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            for (++i; i < text.size() && text.at(i) != c; ++i)
                literal(text.at(i));
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            s.hasPlaceholder = true;
            if (afterPoint) {
                ++s.decimalsMax;
                if (c == QLatin1Char('0'))
                    s.decimalsMin = s.decimalsMax;
            } else if (c == QLatin1Char('0')) {
                ++s.integerMin;
            }
        } else if (c == QLatin1Char('.')) {
            // A second point means nothing more than the first.
            s.hasPlaceholder = true;
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            s.grouping = true;
        } else {
            literal(c);
        }
    }
    return s;
}

// `magnitude` is already rounded to the section's decimals.
QString formatSection(const Decimal &magnitude, const Section &s, const LocaleSettings &locale)
{
    if (!s.hasPlaceholder)
        return s.prefix + s.suffix;
    std::string ints = integerDigits(magnitude);
    if (ints.size() < static_cast<size_t>(s.integerMin))
        ints.insert(0, static_cast<size_t>(s.integerMin) - ints.size(), '0');
    QString number;
    for (size_t i = 0; i < ints.size(); ++i) {
        if (s.grouping && i > 0 && (ints.size() - i) % 3 == 0)
            number += locale.thousandSeparator;
        number += QLatin1Char(ints[i]);
    }
    std::string fraction = fractionDigits(magnitude);
    if (fraction.size() < static_cast<size_t>(s.decimalsMin))
        fraction.resize(static_cast<size_t>(s.decimalsMin), '0');
    if (!fraction.empty()) {
        number += locale.decimalSeparator;
        number += fromDigits(fraction);
    }
    return s.prefix + number + s.suffix;
}

Decimal roundedMagnitude(long double value, int decimals)
{
    Decimal d = roundedTo(value, decimals);
    d.negative = false;
    return d;
}

QString quotedSymbol(const QString &symbol)
{
    // Characters the pattern would take for placeholders or separators are quoted one by
    // one, so the symbol shows exactly as the locale gives it.
    QString quoted;
    for (QChar c : symbol) {
        switch (c.unicode()) {
        case ',':
        case '.':
        case '0':
        case '#':
        case ';':
        case '"':
            quoted += QLatin1Char('\'') + c + QLatin1Char('\'');
            break;
        case '\'':
            quoted += QStringLiteral("\"'\"");
            break;
        default:
            quoted += c;
        }
    }
    return quoted;
}

// ---- entries ----

QString normalise(const QString &text, const LocaleSettings &locale, bool trim)
{
    QString s = text;
    if (trim) {
        qsizetype begin = 0;
        qsizetype end = s.size();
        while (begin < end && isBlank(s.at(begin)))
            ++begin;
        while (end > begin && isBlank(s.at(end - 1)))
            --end;
        s = s.mid(begin, end - begin);
    }
    const QChar dec = locale.decimalSeparator;
    const QChar thou = locale.thousandSeparator;
    if (dec != thou)
        s.remove(thou);
    const QChar point = QLatin1Char('.');
    const QChar comma = QLatin1Char(',');
    if (dec != point && thou != point)
        s.replace(point, dec);
    if (dec != comma && thou != comma)
        s.replace(comma, dec);
    if (s.isEmpty())
        return QStringLiteral("0");
    if (s == QLatin1String("-"))
        return QStringLiteral("-0");
    return s;
}

} // namespace

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

QString currencyPattern(const LocaleSettings &locale, int minimumDecimals)
{
    const int decimals = qMax(qMax(0, locale.currencyDecimals), minimumDecimals);
    const QString number = QStringLiteral(",0.") + QString(decimals, QLatin1Char('0'));
    const QString symbol = quotedSymbol(locale.currencySymbol);
    QString positive;
    switch (locale.currencyFormat) {
    case 1:
        positive = number + symbol;
        break;
    case 2:
        positive = symbol + QLatin1Char(' ') + number;
        break;
    case 3:
        positive = number + QLatin1Char(' ') + symbol;
        break;
    default:
        positive = symbol + number;
        break;
    }
    return positive + QStringLiteral(";-") + positive;
}

QString formatDisplay(long double value, const QString &pattern, const LocaleSettings &locale)
{
    if (std::isnan(value) || std::fabs(value) >= kFixedLimit)
        return formatGeneral(value, locale);
    const QStringList sections =
        splitSections(pattern.isEmpty() ? currencyPattern(locale) : pattern);
    const Section positive = parseSection(sections.at(0));
    if (value < 0) {
        const bool ownSection = sections.size() > 1 && !sections.at(1).isEmpty();
        const Section negative = ownSection ? parseSection(sections.at(1)) : positive;
        const Decimal magnitude = roundedMagnitude(-value, negative.decimalsMax);
        if (!magnitude.isZero()) {
            const QString text = formatSection(magnitude, negative, locale);
            return ownSection ? text : QLatin1Char('-') + text;
        }
        // Rounds to nothing: shown as the zero of the first section, without a sign.
        return formatSection(Decimal(), positive, locale);
    }
    return formatSection(roundedMagnitude(value, positive.decimalsMax), positive, locale);
}

QString formatCurrency(long double value, int decimals, const LocaleSettings &locale)
{
    if (std::isnan(value) || std::fabs(value) >= kFixedLimit)
        return formatGeneral(value, locale);
    const Decimal held = roundedTo(value, qMax(0, decimals));
    const int heldDecimals = static_cast<int>(fractionDigits(held).size());
    return formatDisplay(value, currencyPattern(locale, heldDecimals), locale);
}

QString editText(long double value, int decimals, bool zeroEmpty, const LocaleSettings &locale)
{
    if (std::isnan(value) || std::fabs(value) >= kFixedLimit)
        return formatGeneral(value, locale);
    const Decimal d = roundedTo(value, qMax(0, decimals));
    if (d.isZero())
        return zeroEmpty ? QString() : QStringLiteral("0");
    return fixedText(d, locale.decimalSeparator);
}

long double roundHalfAway(long double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    if (std::fabs(value) < kFixedLimit)
        return valueOf(roundedTo(value, qMax(0, decimals)));
    Decimal d = decimalOf(value);
    roundSignificant(d, 15);
    return valueOf(d);
}

QString normaliseEntry(const QString &text, const LocaleSettings &locale)
{
    return normalise(text, locale, true);
}

bool readEntry(const QString &text, long double *out, const LocaleSettings &locale)
{
    return tryTextToNumber(normaliseEntry(text, locale), out, locale);
}

namespace
{

// Typing goes left to right, so a text on its way to a number ("-", "+", "1,", "1E", "1E-")
// is as good as one that reads: leaving the field with it unfinished is what fails.
bool readsOrBeginsNumber(const QString &text, const LocaleSettings &locale)
{
    return tryTextToNumber(text, nullptr, locale) ||
           tryTextToNumber(text + QLatin1Char('0'), nullptr, locale);
}

} // namespace

bool acceptsTyped(const QString &candidate, int decimals, const LocaleSettings &locale)
{
    const QString s = normalise(candidate, locale, false);
    const QChar dec = locale.decimalSeparator;
    const qsizetype at = s.indexOf(dec);
    if (at >= 0) {
        qsizetype stop = s.size();
        for (qsizetype i = at + 1; i < s.size(); ++i) {
            if (s.at(i) == QLatin1Char('E') || s.at(i) == QLatin1Char('e')) {
                stop = i;
                break;
            }
        }
        if (stop - at - 1 > decimals)
            return false;
    }
    for (QChar c : s) {
        if (!isAsciiDigit(c) && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('E') && c != QLatin1Char('e') && c != dec)
            return false;
    }
    // The first 63 characters decide, as they always have, and a longer text must do as
    // well as a whole.
    if (!readsOrBeginsNumber(s.left(63), locale))
        return false;
    return s.size() <= 63 || readsOrBeginsNumber(s, locale);
}

QString dayLabel(int day)
{
    const QString digits = QString::number(day);
    return day >= 0 && day < 10 ? QLatin1Char('0') + digits : digits;
}

} // namespace tavi
