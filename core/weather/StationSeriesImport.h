#pragma once

#include "core/base/LocaleSettings.h"
#include "core/weather/SeriesOrigin.h"
#include "core/weather/StationYear.h"

#include <QString>
#include <vector>

// The pieces of turning a station's records into the agriculture window's series: which
// years the records offer, how many days each method gave, the texts the ETP and P cells
// take, and the account of where the series came from.
namespace tavi::eto
{

// Whether `text` is an INMET hourly file (it has the "Data;Hora UTC" title line among its
// first lines) rather than daily records.
bool isInmetHourlyText(const QString &text);

// The years holding at least one day with temperatures or rainfall, in order.
std::vector<int> yearsWithData(const StationSeries &series);
// The first year whose 1 January and 31 December both have a record with data; else the
// first year with data; 0 when no day has any.
int firstFullYear(const StationSeries &series);

struct MethodCounts {
    int penmanMonteith = 0;
    int penmanMonteithDefaultWind = 0;
    int hargreavesSamani = 0;
    int missing = 0;
};

// Days 1..`days` of the year by the method that gave their ETo (days without one count as
// missing).
MethodCounts countMethods(const std::vector<YearDay> &year, int days);

// Days 1..`days` of the year without rainfall: a gap in the records, never a dry day.
int countMissingRainfall(const std::vector<YearDay> &year, int days);
// "sem chuva: 20 dias"; empty when every day has its rainfall.
QString missingRainfallSummary(int missingDays);

// "Penman–Monteith", "Penman–Monteith com vento de 2 m/s", "Hargreaves–Samani", "sem dados".
QString methodName(Method method);
// "Penman–Monteith (360 dias), Hargreaves–Samani (5 dias), sem dados (1 dia)": the methods
// that gave some day, in that order.
QString methodsSummary(const MethodCounts &counts);

// How many days the series of `year` has: 366 in a leap year, else 365, or 366 when day 366
// is a copy of day 365.
int daysFilled(int year, LeapDayFill fill);

// The account kept in the study of a series laid out from `site`'s records of `year`.
SeriesOrigin seriesOrigin(const StationSite &site, int year, const std::vector<YearDay> &days,
                          LeapDayFill fill);

// A value as a series cell takes it: rounded to hundredths of a millimetre (finer than any
// station measures, and what the column has room for), in the locale's general format; empty
// where the station gave nothing, so that "Simular" stops at that day rather than computing
// with a rainfall or ETo nobody measured.
QString seriesCellText(const std::optional<long double> &value, const LocaleSettings &locale);

} // namespace tavi::eto
