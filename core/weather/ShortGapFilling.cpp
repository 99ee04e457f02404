#include "core/weather/ShortGapFilling.h"

#include <algorithm>
#include <cmath>

namespace tavi::eto
{

namespace
{

using Fill = void (*)(HourValues &, const HourValues &, int, int);

// Between readings at `before` and `after`, the hours between missing.
void fillLinearly(HourValues &v, const HourValues &, int before, int after)
{
    const long double a = v[static_cast<std::size_t>(before)];
    const long double b = v[static_cast<std::size_t>(after)];
    for (int h = before + 1; h < after; ++h)
        v[static_cast<std::size_t>(h)] = a + (b - a) * (h - before) / (after - before);
}

void fillRadiation(HourValues &rs, const HourValues &ra, int before, int after)
{
    const auto at = [](const HourValues &v, int h) { return v[static_cast<std::size_t>(h)]; };
    const long double rsBefore = std::max(at(rs, before), 0.0L);
    const long double rsAfter = std::max(at(rs, after), 0.0L);
    const bool sunBefore = at(ra, before) >= kLeastClearnessRa;
    const bool sunAfter = at(ra, after) >= kLeastClearnessRa;
    // kJ of radiation per MJ of extraterrestrial radiation: the clearness index, scaled.
    const long double kBefore = sunBefore ? rsBefore / at(ra, before) : 0;
    const long double kAfter = sunAfter ? rsAfter / at(ra, after) : 0;
    for (int h = before + 1; h < after; ++h) {
        const long double t = static_cast<long double>(h - before) / (after - before);
        long double filled = 0;
        if (at(ra, h) <= 0)
            filled = 0;
        else if (sunBefore && sunAfter)
            filled = at(ra, h) * (kBefore + (kAfter - kBefore) * t);
        else if (sunBefore || sunAfter)
            filled = at(ra, h) * (sunBefore ? kBefore : kAfter);
        else
            filled = rsBefore + (rsAfter - rsBefore) * t;
        rs[static_cast<std::size_t>(h)] = filled;
    }
}

// Fills the short gaps of one quantity's hours, marking the hours filled.
void fillQuantity(HourValues &v, const HourValues &ra, Fill fill, bool (&filled)[kHoursInADay])
{
    int last = -1; // the last hour with a reading
    for (int h = 0; h < kHoursInADay; ++h) {
        if (std::isnan(v[static_cast<std::size_t>(h)]))
            continue;
        const int gap = h - last - 1;
        if (last >= 0 && gap > 0 && gap <= kLongestFilledGap) {
            fill(v, ra, last, h);
            std::fill(filled + last + 1, filled + h, true);
        }
        last = h;
    }
}

} // namespace

int fillShortGaps(LocalDayHours &day, const HourValues &ra)
{
    bool filled[kHoursInADay] = {};
    for (int q = 0; q < LocalDayHours::kQuantities; ++q) {
        if (q == LocalDayHours::Rainfall)
            continue;
        fillQuantity(day.of[static_cast<std::size_t>(q)], ra,
                     q == LocalDayHours::Radiation ? fillRadiation : fillLinearly, filled);
    }
    return static_cast<int>(std::count(std::begin(filled), std::end(filled), true));
}

} // namespace tavi::eto
