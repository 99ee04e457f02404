#include "core/numbers/ReadableNumber.h"

#include "core/numbers/NumberText.h"

#include <cmath>

namespace tavi
{

namespace
{

constexpr int kMostDecimals = 12;

QString groupedPattern(int decimals)
{
    QString section = QStringLiteral(",0");
    if (decimals > 0)
        section += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return section + QStringLiteral(";-") + section;
}

} // namespace

QString formatReadable(long double value, int decimals, const LocaleSettings &locale)
{
    if (!std::isfinite(value))
        return formatGeneral(value, locale);
    decimals = qBound(0, decimals, kMostDecimals);
    const long double magnitude = std::fabs(value);
    if (magnitude > 0 && roundHalfAway(magnitude, decimals) == 0) {
        // Two significant digits: 0.0012 has its first at the third place.
        const int first = -static_cast<int>(std::floor(std::log10(magnitude)));
        decimals = qMin(kMostDecimals, first + 1);
    }
    return formatDisplay(value, groupedPattern(decimals), locale);
}

QString formatReadable(long double value, int decimals, const QString &unit,
                       const LocaleSettings &locale)
{
    return formatReadable(value, decimals, locale) + QChar(0x00A0) + unit;
}

} // namespace tavi
