#pragma once

#include "core/weather/WeatherDay.h"

#include <vector>

// A station's ETo and rainfall laid out over the days of one year, as the agriculture
// model reads its series: day 1 to 366.
namespace tavi::eto
{

// How a day without an ETo of its own got one.
enum class EtoFill {
    None,         // the day's own, or none at all
    Interpolated, // between the days around a short gap
    MonthMean,    // the mean of its month in that year
    OtherYears,   // the mean of the same calendar day in the other years open
};

struct YearDay {
    Method method = Method::Missing; // Missing also where the station has no record
    std::optional<long double> eto;
    std::optional<long double> rainfall;
    Estimates estimates = {};  // of a Penman-Monteith day
    int interpolatedHours = 0; // hours of the day filled between their neighbours
    EtoFill etoFill = EtoFill::None;
    bool rainfallFilled = false; // a day without rainfall records taken as dry
};

// What day 366 of a year of 365 days holds.
enum class LeapDayFill { Empty, CopyOfDay365 };

// Days 1..366 of `year` (element 0 is 1 January). Throws TaviError when no day of that year
// has an ETo or a rainfall, naming the period the series does cover.
std::vector<YearDay> stationYear(const StationSeries &series, int year, LeapDayFill fill);

} // namespace tavi::eto
