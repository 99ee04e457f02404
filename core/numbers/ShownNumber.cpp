#include "core/numbers/ShownNumber.h"

#include "core/numbers/ExactDecimal.h"
#include "core/numbers/NumberText.h"

#include <QVector>

#include <cmath>
#include <cstdlib>

namespace tavi
{

namespace
{

constexpr std::uint64_t kLowest15 = 100000000000000ULL;  // 10^14
constexpr std::uint64_t kBeyond15 = 1000000000000000ULL; // 10^15

// |v| to fifteen significant digits, rounded half away from zero from its eighteen: what the
// general format shows. Worth digits × 10^(exponent - 14).
struct Fifteen {
    std::uint64_t digits = 0;
    int exponent = 0;
    bool negative = false;
};

bool fifteenDigits(long double v, Fifteen *out)
{
    std::uint64_t eighteen = 0;
    int exponent = 0;
    if (!exact::eighteenDigits(v, &eighteen, &exponent))
        return false;
    std::uint64_t digits = eighteen / 1000;
    if (eighteen % 1000 >= 500)
        ++digits;
    if (digits == kBeyond15) {
        digits = kLowest15;
        ++exponent;
    }
    *out = {digits, exponent, std::signbit(v)};
    return true;
}

// The decimal digits of n, most significant first, without leading zeros; returns the count.
int writeDigits(std::uint64_t n, char *out)
{
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (int i = 0; i < count; ++i)
        out[i] = reversed[count - 1 - i];
    return count;
}

long double valueOf(const Fifteen &f)
{
    const int places = 14 - f.exponent;
    long double v = 0;
    if (places >= 0 && places <= 27) {
        v = exact::fromDecimal(f.digits, places);
    } else {
        // Far from 1: the C library reads the digits and the power of ten, as it reads the
        // text.
        char text[48];
        int n = writeDigits(f.digits, text);
        text[n++] = 'e';
        if (places > 0)
            text[n++] = '-';
        n += writeDigits(std::uint64_t(places > 0 ? places : -places), text + n);
        text[n] = '\0';
        v = std::strtold(text, nullptr);
    }
    return f.negative ? -v : v;
}

// A whole number below 10^15 is its own fifteen digits: its text is its digits. The small
// ones (day counters, most of all) are made once and shared.
QString wholeText(long double v)
{
    constexpr int kShared = 1024;
    static const QVector<QString> shared = [] {
        QVector<QString> texts;
        for (int n = 0; n < kShared; ++n)
            texts << QString::number(n);
        return texts;
    }();
    if (v >= 0 && v < kShared)
        return shared[int(v)];
    char digits[20];
    const int count = writeDigits(std::uint64_t(std::fabs(v)), digits);
    QString text(count + (v < 0 ? 1 : 0), Qt::Uninitialized);
    QChar *out = text.data();
    if (v < 0)
        *out++ = QLatin1Char('-');
    for (int i = 0; i < count; ++i)
        *out++ = QLatin1Char(digits[i]);
    return text;
}

bool isSmallWhole(long double v)
{
    return std::fabs(v) < 1e15L && v == std::trunc(v);
}

// The general format's text, built in one piece: fixed notation for exponents from -4 to 14,
// otherwise "d,dddE-x".
QString textOf(const Fifteen &f, QChar separator)
{
    char digits[15];
    std::uint64_t rest = f.digits;
    for (int i = 14; i >= 0; --i) {
        digits[i] = char('0' + rest % 10);
        rest /= 10;
    }
    int count = 15;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    QChar text[48];
    int n = 0;
    const auto put = [&text, &n](QChar c) { text[n++] = c; };
    if (f.negative)
        put(QLatin1Char('-'));
    const int e = f.exponent;
    if (e >= -4 && e < 15) {
        const int integers = e + 1;
        if (integers <= 0) {
            put(QLatin1Char('0'));
            put(separator);
            for (int i = 0; i < -integers; ++i)
                put(QLatin1Char('0'));
            for (int i = 0; i < count; ++i)
                put(QLatin1Char(digits[i]));
        } else {
            for (int i = 0; i < integers; ++i)
                put(QLatin1Char(i < count ? digits[i] : '0'));
            if (count > integers) {
                put(separator);
                for (int i = integers; i < count; ++i)
                    put(QLatin1Char(digits[i]));
            }
        }
        return QString(text, n);
    }
    put(QLatin1Char(digits[0]));
    if (count > 1) {
        put(separator);
        for (int i = 1; i < count; ++i)
            put(QLatin1Char(digits[i]));
    }
    put(QLatin1Char('E'));
    return QString(text, n) + QString::number(e);
}

const LocaleSettings &pointSettings()
{
    static const LocaleSettings settings = LocaleSettings::decimalPoint();
    return settings;
}

ShownNumber byTheLibrary(long double v, const LocaleSettings &locale)
{
    ShownNumber shown{formatGeneral(v, locale), v};
    if (!tryTextToNumber(shown.text, &shown.value, locale))
        shown.value = v;
    return shown;
}

} // namespace

ShownNumber shownNumber(long double v, const LocaleSettings &locale)
{
    if (v == 0)
        return {QStringLiteral("0"), 0};
    if (isSmallWhole(v))
        return {wholeText(v), v};
    Fifteen f;
    if (!fifteenDigits(v, &f))
        return byTheLibrary(v, locale);
    return {textOf(f, locale.decimalSeparator), valueOf(f)};
}

long double shownValue(long double v)
{
    if (v == 0 || isSmallWhole(v))
        return v + 0.0L;
    Fifteen f;
    if (!fifteenDigits(v, &f))
        return byTheLibrary(v, pointSettings()).value;
    return valueOf(f);
}

long double heldValue(long double v, int decimals)
{
    std::uint64_t eighteen = 0;
    int exponent = 0;
    // Where the held places reach beyond the eighteenth digit, more digits decide.
    if (decimals < 0 || decimals > 27 || !exact::eighteenDigits(v, &eighteen, &exponent) ||
        exponent + decimals + 4 > 18)
        return roundHalfAway(v, decimals);
    const int kept = exponent + decimals + 1;
    if (kept < 0)
        return 0;
    const std::uint64_t unit = exact::powerOfTen(18 - kept);
    std::uint64_t digits = eighteen / unit;
    if (eighteen % unit >= unit / 2)
        ++digits;
    if (digits == 0)
        return 0;
    const long double held = exact::fromDecimal(digits, decimals);
    return std::signbit(v) ? -held : held;
}

bool readShownNumber(const QString &text, long double *out, const LocaleSettings &locale)
{
    // Blanks around, a sign, at most eighteen significant digits and one separator: the
    // digits make an exact integer, and one division by an exact power of ten rounds it as
    // strtold does. Anything else goes the general way.
    const QChar *c = text.constData();
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && c[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && c[end - 1].unicode() <= ' ')
        --end;
    bool negative = false;
    if (begin < end && (c[begin] == QLatin1Char('-') || c[begin] == QLatin1Char('+'))) {
        negative = c[begin] == QLatin1Char('-');
        ++begin;
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int places = 0;
    bool anyDigit = false;
    bool afterSeparator = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t u = c[i].unicode();
        if (u >= '0' && u <= '9') {
            anyDigit = true;
            if (digits != 0 || u != '0')
                ++significant;
            digits = digits * 10 + (u - '0');
            places += afterSeparator;
        } else if (c[i] == locale.decimalSeparator && !afterSeparator) {
            afterSeparator = true;
        } else {
            return tryTextToNumber(text, out, locale);
        }
    }
    if (!anyDigit || significant > 18 || places > 27)
        return tryTextToNumber(text, out, locale);
    if (out) {
        const long double v = exact::fromDecimal(digits, places);
        *out = negative ? -v : v;
    }
    return true;
}

} // namespace tavi
