#pragma once

#include <array>
#include <limits>

// A station's local day hour by hour, as hourly records give it before the day's figures are
// made: hour k (0..23) is the one ending at k + 1 o'clock local time.
namespace tavi::eto
{

constexpr int kHoursInADay = 24;
using HourValues = std::array<long double, kHoursInADay>;

struct LocalDayHours {
    // What the day's figures are made of. The temperatures and humidities are the hour's
    // extremes, an hour without them taking its plain reading: a reading the station took
    // always comes before one filled in between other hours.
    enum Quantity {
        Rainfall,  // mm
        Radiation, // kJ m-2, as the stations write it; negative at night
        TMax,
        TMin,
        RhMax,
        RhMin,
        RhMean,
        DewPoint,
        Wind, // m/s
        kQuantities
    };

    static constexpr long double kMissing = std::numeric_limits<long double>::quiet_NaN();

    LocalDayHours()
    {
        for (HourValues &hours : of)
            hours.fill(kMissing);
    }

    std::array<HourValues, kQuantities> of;
};

} // namespace tavi::eto
