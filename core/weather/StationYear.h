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
    int yearsAveraged = 0;       // of a day of the mean year: how many years it is the mean of

    bool etoFilled() const { return etoFill != EtoFill::None; }
    bool filled() const { return etoFilled() || rainfallFilled; }
};

// What day 366 of a year of 365 days holds.
enum class LeapDayFill { Empty, CopyOfDay365 };

// What becomes of days the records give no ETo or no rainfall. Simular stops at the first
// empty day, so a year of real records, which always has some, would not run without work
// by hand.
enum class EtoGapFill {
    Interpolation, // gaps of up to kLongestInterpolatedGap days between their ends, longer
                   // ones (and those at the ends of the records) with the month's mean
    OtherYears,    // the same calendar day's mean over the other years open; where none of
                   // them has it, as Interpolation
    Empty,         // left empty, to be typed
};
enum class RainGapFill {
    Dry,   // 0: no rain counted where none was recorded asks more of irrigation, not less
    Empty, // left empty, to be typed
};
struct GapFill {
    EtoGapFill eto = EtoGapFill::Interpolation;
    RainGapFill rain = RainGapFill::Dry;

    bool operator==(const GapFill &o) const { return eto == o.eto && rain == o.rain; }
    bool operator!=(const GapFill &o) const { return !(*this == o); }
};
constexpr int kLongestInterpolatedGap = 5;

// Which year the series is laid out from: one of the records' years, the day-by-day mean of
// the complete ones, or the complete year of least rainfall.
struct YearChoice {
    enum class Kind { Single, Mean, Driest };
    Kind kind = Kind::Single;
    int year = 0; // of a single year

    static YearChoice single(int year) { return {Kind::Single, year}; }
    bool operator==(const YearChoice &o) const
    {
        return kind == o.kind && (kind != Kind::Single || year == o.year);
    }
    bool operator!=(const YearChoice &o) const { return !(*this == o); }
};

// A year laid out: its days 1..366, the years it was made from, and the calendar year its
// dates belong to (that of the mean year is a common year, and its dates name no year).
struct LaidOutYear {
    std::vector<YearDay> days;
    std::vector<int> years;
    int calendarYear = 0;
    YearChoice choice;
};

// A station's records worked out day by day once, by one method, and laid out into the years
// the import offers.
class StationYears
{
public:
    StationYears(const StationSeries &series, const EtoSettings &settings);

    // The years holding at least one day with temperatures or rainfall, in order.
    const std::vector<int> &years() const { return m_years; }
    // The years that, once their gaps are filled as `fill` says, have an ETo and a rainfall
    // on every day: those the mean year and the driest year are chosen among; and the one of
    // them of least rainfall, 0 when none is complete. Worked out together, each year filled
    // once.
    struct Completeness {
        std::vector<int> years;
        int driest = 0;
    };
    Completeness completeness(const GapFill &fill) const;
    std::vector<int> completeYears(const GapFill &fill) const { return completeness(fill).years; }
    int driestYear(const GapFill &fill) const { return completeness(fill).driest; }

    // Throws TaviError when the choice has no day with data (a year the records do not
    // cover, a mean or driest year without two complete years), naming what they do cover.
    LaidOutYear layOut(const YearChoice &choice, const GapFill &fill, LeapDayFill leap) const;

private:
    std::vector<YearDay> ownDays(int year) const;
    std::vector<YearDay> filledYear(int year, const GapFill &fill) const;
    std::vector<YearDay> meanYear(const std::vector<int> &years, const GapFill &fill) const;
    [[noreturn]] void failUncovered(int year) const;

    std::vector<QDate> m_dates; // of the records, in order
    std::vector<YearDay> m_days;
    std::vector<int> m_years;
};

// Days 1..366 of `year` as the records give them, nothing filled (element 0 is 1 January).
// Throws TaviError when no day of that year has an ETo or a rainfall, naming the period the
// series does cover.
std::vector<YearDay> stationYear(const StationSeries &series, int year, LeapDayFill fill);

} // namespace tavi::eto
