#include "core/numbers/EntryRules.h"

#include "core/numbers/DecimalDigits.h"
#include "core/numbers/GeneralFormat.h"

namespace tavi
{

using namespace decimal;

namespace
{

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

// Typing goes left to right, so a text on its way to a number ("-", "+", "1,", "1E", "1E-")
// is as good as one that reads: leaving the field with it unfinished is what fails.
bool readsOrBeginsNumber(const QString &text, const LocaleSettings &locale)
{
    return tryTextToNumber(text, nullptr, locale) ||
           tryTextToNumber(text + QLatin1Char('0'), nullptr, locale);
}

} // namespace

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

} // namespace tavi
