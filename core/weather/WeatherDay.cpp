#include "core/weather/WeatherDay.h"

#include <QStringList>

namespace tavi::eto
{

DailyEto dailyEto(const DailyRecord &record, const StationSite &site, const EtoSettings &settings)
{
    DailyEto result;
    result.interpolatedHours = record.interpolatedHours;
    if (!record.tMax || !record.tMin || !record.date.isValid())
        return result;
    const int dayOfYear = record.date.dayOfYear();
    if (settings.method == EtoMethodChoice::HargreavesSamani) {
        result.method = Method::HargreavesSamani;
        result.eto = hargreavesSamani(*record.tMax, *record.tMin, site.latitude, dayOfYear);
        return result;
    }
    PenmanMonteithDay day;
    day.dayOfYear = dayOfYear;
    day.latitude = site.latitude;
    day.altitude = site.altitude;
    day.tMax = *record.tMax;
    day.tMin = *record.tMin;
    day.humidity.dewPoint = record.dewPoint;
    day.humidity.rhMax = record.rhMax;
    day.humidity.rhMin = record.rhMin;
    day.humidity.rhMean = record.rhMean;
    day.windSpeed = record.windSpeed;
    day.windHeight = record.windHeight;
    day.solarRadiation = record.solarRadiation;
    day.sunshineHours = record.sunshineHours;
    day.radiationCoefficient = settings.radiationCoefficient;
    result.terms = penmanMonteith(day);
    result.eto = result.terms->eto;
    result.estimates = result.terms->estimates;
    result.method = Method::PenmanMonteith;
    return result;
}

QString dayMethodText(Method method, const Estimates &estimates, int interpolatedHours)
{
    QStringList parts;
    switch (method) {
    case Method::Missing:
        return QStringLiteral("sem dados");
    case Method::HargreavesSamani:
        parts << QStringLiteral("HS");
        break;
    case Method::PenmanMonteith:
        parts << QStringLiteral("PM");
        if (estimates.vapourFromTMin)
            parts << QStringLiteral("ea de Tmin");
        if (estimates.radiationFromTemperature)
            parts << QStringLiteral("Rs de T");
        if (estimates.defaultWind)
            parts << QStringLiteral("vento 2 m/s");
        if (estimates.windFloor)
            parts << QStringLiteral("vento mín. 0,5 m/s");
        break;
    }
    if (interpolatedHours == 1)
        parts << QStringLiteral("1 h interpolada");
    else if (interpolatedHours > 1)
        parts << QStringLiteral("%1 h interpoladas").arg(interpolatedHours);
    return parts.join(QStringLiteral(", "));
}

} // namespace tavi::eto
