#pragma once

#include "core/weather/ReferenceEvapotranspiration.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// One day of a weather station's record and the ETo it gives.
namespace tavi::eto
{

// Where a station stands. Latitude and longitude in decimal degrees (north and east
// positive), altitude in metres.
struct StationSite {
    QString name;
    QString code;
    long double latitude = 0;
    long double longitude = 0;
    long double altitude = 0;
};

// A day's record. A quantity not measured (or not measured well enough) is an empty
// optional; zero is a measurement. Units: °C, %, m/s at windHeight metres, MJ m-2 day-1,
// hours, mm.
struct DailyRecord {
    QDate date;
    std::optional<long double> tMax;
    std::optional<long double> tMin;
    std::optional<long double> rhMean;
    std::optional<long double> rhMax;
    std::optional<long double> rhMin;
    std::optional<long double> dewPoint;
    std::optional<long double> windSpeed;
    long double windHeight = 2;
    std::optional<long double> solarRadiation;
    std::optional<long double> sunshineHours;
    std::optional<long double> rainfall;

    bool hasHumidity() const { return rhMean || rhMax || dewPoint; }
    bool hasRadiation() const { return solarRadiation || sunshineHours; }
};

// A station and its days, in date order, one record a date.
struct StationSeries {
    StationSite site;
    std::vector<DailyRecord> days;
};

struct DailyEto {
    Method method = Method::Missing;
    std::optional<long double> eto;
    std::optional<PenmanMonteithTerms> terms; // for Penman-Monteith days
};

// The day's ETo by the best method its record allows: Penman-Monteith with temperatures,
// humidity and radiation (or sunshine), taking 2 m/s at 2 m where wind is missing;
// Hargreaves-Samani with temperatures alone; else missing. RHmin alone says too little of
// the day's humidity and does not count.
DailyEto dailyEto(const DailyRecord &record, const StationSite &site);

} // namespace tavi::eto
