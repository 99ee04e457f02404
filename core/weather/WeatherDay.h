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
    // Hours of the day whose readings were filled between their neighbours (a short gap in
    // an hourly file): the day's values count them as measured.
    int interpolatedHours = 0;

    bool hasHumidity() const { return rhMean || rhMax || dewPoint; }
    bool hasRadiation() const { return solarRadiation || sunshineHours; }
};

// A station and its days, in date order, one record a date.
struct StationSeries {
    StationSite site;
    std::vector<DailyRecord> days;
};

// How the user wants ETo worked out: the method, never swapped for another behind their
// back, and where the station stands for eq. 50.
enum class EtoMethodChoice { PenmanMonteith, HargreavesSamani };
struct EtoSettings {
    EtoMethodChoice method = EtoMethodChoice::PenmanMonteith;
    long double radiationCoefficient = kRadiationCoefficientInterior; // kRs, interior or coastal

    bool operator==(const EtoSettings &o) const
    {
        return method == o.method && radiationCoefficient == o.radiationCoefficient;
    }
    bool operator!=(const EtoSettings &o) const { return !(*this == o); }
};

struct DailyEto {
    Method method = Method::Missing;
    Estimates estimates;       // for Penman-Monteith days
    int interpolatedHours = 0; // the record's
    std::optional<long double> eto;
    std::optional<PenmanMonteithTerms> terms; // for Penman-Monteith days
};

// The day's ETo by the method chosen. Both need Tmax and Tmin; a day without them has none.
// Penman-Monteith takes FAO-56's estimates for whatever else is missing (ea from Tmin, Rs
// from the temperature range, 2 m/s of wind) and says which it took.
DailyEto dailyEto(const DailyRecord &record, const StationSite &site,
                  const EtoSettings &settings = {});

// How a day's ETo was worked out, as the preview's "Método" column says it: "PM", "PM, ea de
// Tmin", "PM, Rs de T", "PM, vento 2 m/s", "PM, vento mín. 0,5 m/s", "PM, 1 h interpolada",
// "HS", "sem dados"; estimates in that order, joined by ", ".
QString dayMethodText(Method method, const Estimates &estimates, int interpolatedHours);

} // namespace tavi::eto
