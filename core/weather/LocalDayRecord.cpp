#include "core/weather/LocalDayRecord.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavi::eto
{

namespace
{

// The hours of one quantity that have a reading.
struct Tally {
    long double sum = 0;
    long double low = std::numeric_limits<long double>::infinity();
    long double high = -std::numeric_limits<long double>::infinity();
    int count = 0;

    explicit Tally(const HourValues &hours)
    {
        for (long double v : hours) {
            if (std::isnan(v))
                continue;
            sum += v;
            low = std::min(low, v);
            high = std::max(high, v);
            ++count;
        }
    }
    std::optional<long double> when(long double v) const
    {
        return count >= kHoursInADay - kMostMissingHours ? std::optional<long double>(v)
                                                         : std::nullopt;
    }
    std::optional<long double> mean() const { return when(count ? sum / count : 0); }
    std::optional<long double> total() const { return when(sum); }
    std::optional<long double> highest() const { return when(high); }
    std::optional<long double> lowest() const { return when(low); }
};

std::optional<long double> radiationOf(const HourValues &kj, const HourValues &ra)
{
    long double total = 0;
    long double raDay = 0;
    long double raCovered = 0;
    for (std::size_t h = 0; h < kj.size(); ++h) {
        raDay += ra[h];
        if (std::isnan(kj[h]))
            continue;
        total += std::max(kj[h], 0.0L);
        raCovered += ra[h];
    }
    if (raCovered < (1 - kMostMissingRadiationShare) * raDay)
        return std::nullopt;
    return total / 1000;
}

} // namespace

DailyRecord localDayRecord(const QDate &day, const LocalDayHours &hours, const HourValues &ra)
{
    const auto of = [&hours](LocalDayHours::Quantity q) {
        return Tally(hours.of[static_cast<std::size_t>(q)]);
    };
    DailyRecord r;
    r.date = day;
    r.tMax = of(LocalDayHours::TMax).highest();
    r.tMin = of(LocalDayHours::TMin).lowest();
    r.rhMax = of(LocalDayHours::RhMax).highest();
    r.rhMin = of(LocalDayHours::RhMin).lowest();
    r.rhMean = of(LocalDayHours::RhMean).mean();
    r.dewPoint = of(LocalDayHours::DewPoint).mean();
    r.windSpeed = of(LocalDayHours::Wind).mean();
    r.rainfall = of(LocalDayHours::Rainfall).total();
    r.solarRadiation = radiationOf(hours.of[LocalDayHours::Radiation], ra);
    return r;
}

} // namespace tavi::eto
