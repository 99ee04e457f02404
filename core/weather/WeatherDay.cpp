#include "core/weather/WeatherDay.h"

namespace tavi::eto
{

DailyEto dailyEto(const DailyRecord &record, const StationSite &site)
{
    DailyEto result;
    if (!record.tMax || !record.tMin || !record.date.isValid())
        return result;
    const int dayOfYear = record.date.dayOfYear();
    if (record.hasHumidity() && record.hasRadiation()) {
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
        result.terms = penmanMonteith(day);
        result.eto = result.terms->eto;
        result.method =
            record.windSpeed ? Method::PenmanMonteith : Method::PenmanMonteithDefaultWind;
        return result;
    }
    result.method = Method::HargreavesSamani;
    result.eto = hargreavesSamani(*record.tMax, *record.tMin, site.latitude, dayOfYear);
    return result;
}

} // namespace tavi::eto
