#include "core/SeriesOrigin.h"

#include "core/LocaleSettings.h"
#include "core/StudyText.h"

#include <QStringList>

namespace tavi
{

QString seriesOriginLine(const SeriesOrigin &origin)
{
    QStringList station;
    for (const QString &part : {origin.code.trimmed(), origin.station.trimmed()})
        if (!part.isEmpty())
            station << part;
    QStringList parts;
    parts << (station.isEmpty() ? QStringLiteral("estação sem nome")
                                : station.join(QLatin1Char(' ')));
    if (!origin.year.isEmpty())
        parts << origin.year;
    if (!origin.methods.isEmpty())
        parts << origin.methods;
    return QStringLiteral("Série: ") + parts.join(QStringLiteral(", "));
}

QString seriesOriginPlace(const SeriesOrigin &origin)
{
    const LocaleSettings &locale = LocaleSettings::current();
    return QStringLiteral("latitude %1°, longitude %2°, altitude %3 m")
        .arg(fromStudyText(origin.latitude, locale), fromStudyText(origin.longitude, locale),
             fromStudyText(origin.altitude, locale));
}

} // namespace tavi
