#pragma once

#include "core/flows/FlowSeries.h"

#include <array>
#include <optional>

// The flow-duration curve of each calendar month: the days of every January of the series,
// and so on, for setting a month's demand against what the river gives in that month.
namespace tavi::flows
{

// A month's curve is drawn only from its complete months (at most 5 % of their days missing,
// as for the years), and only when the series has at least this many of them.
constexpr int kFewestMonthsForCurve = 5;

struct MonthFlows {
    int completeMonths = 0;
    // Q95 of the month's curve (Weibull plotting position, interpolated as the annual one);
    // none when the month has too few complete months.
    std::optional<long double> q95;
};

// January to December.
std::array<MonthFlows, 12> monthlyFlows(const FlowSeries &series);

} // namespace tavi::flows
