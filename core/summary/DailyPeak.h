#pragma once

#include <vector>

namespace tavi
{

// The day of the largest of a year's daily values (days from 1; the first, on a tie) and that
// value; day 0 when there are no values.
struct DailyPeak {
    int day = 0;
    long double value = 0;
};

DailyPeak dailyPeak(const std::vector<long double> &daily);

} // namespace tavi
