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

// Days 1..`days` of a year laid out, by how their ETo came about.
struct MethodCounts {
    int penmanMonteith = 0;           // with an ETo of their own, whatever they estimated
    int vapourFromTMin = 0;           // of those, the days that estimated ea, Rs or wind, or had
    int radiationFromTemperature = 0; // hours filled between their neighbours
    int defaultWind = 0;
    int windFloor = 0;
    int interpolatedHours = 0;
    int hargreavesSamani = 0;
    int interpolated = 0; // days without an ETo of their own, filled
    int monthMean = 0;
    int otherYears = 0;
    int missing = 0; // days left without an ETo
};

MethodCounts countMethods(const std::vector<YearDay> &year, int days);

// Days 1..`days` of the year without rainfall (a gap in the records, never a dry day), and
// those the fill took as dry.
int countMissingRainfall(const std::vector<YearDay> &year, int days);
int countFilledRainfall(const std::vector<YearDay> &year, int days);
// "sem chuva: 20 dias", "chuva 0 em 20 dias sem registro"; empty when there are none.
QString missingRainfallSummary(int missingDays);
QString filledRainfallSummary(int filledDays);

// "Penman–Monteith (340 dias; Rs de T em 9, horas interpoladas em 40), ETo preenchida (13
// dias: 8 por interpolação, 5 pela média do mês), sem dados (1 dia)": what gave the days
// some ETo, in that order.
QString methodsSummary(const MethodCounts &counts);

// The texts of the user's choices, as the import's dialog offers them and the series'
// origin keeps them.
QString methodChoiceName(EtoMethodChoice method);
QString locationName(long double radiationCoefficient);
QString etoGapFillName(EtoGapFill fill);
QString rainGapFillName(RainGapFill fill);
// "2023", "ano médio de 2019, 2020, 2022", "ano mais seco, 2021".
QString yearChoiceText(const LaidOutYear &year);

// How many days the series of `year` has: 366 in a leap year, else 365, or 366 when day 366
// is a copy of day 365. A year 0 is the mean year, a common one.
int daysFilled(int year, LeapDayFill fill);

// What the user chose besides the records and the station.
struct SeriesChoices {
    EtoSettings eto;
    GapFill gaps;
    LeapDayFill leap = LeapDayFill::CopyOfDay365;
};

// The account kept in the study of a series laid out from `site`'s records.
SeriesOrigin seriesOrigin(const StationSite &site, const LaidOutYear &year,
                          const SeriesChoices &choices);

// A value as a series cell takes it: rounded to hundredths of a millimetre (finer than any
// station measures, and what the column has room for), in the locale's general format; empty
// where the station gave nothing, so that "Simular" stops at that day rather than computing
// with a rainfall or ETo nobody measured.
QString seriesCellText(const std::optional<long double> &value, const LocaleSettings &locale);

} // namespace tavi::eto
