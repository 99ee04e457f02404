#pragma once

#include "core/weather/SeriesOrigin.h"

#include <QString>

#include <optional>
#include <vector>

// Days 1 to 366 of a series grouped into the months of its year, for monthly sums.
namespace tavi
{

struct DaySpan {
    QString label; // "Jan" ... "Dez", or "Dia 366"
    int firstDay;  // 1 to 366
    int lastDay;
};

// The months of the series' year. A series laid out from a station's year (and not replaced
// since) has that year's calendar: February has 29 days in a leap year, and the twelve months
// cover the 366 days. Otherwise, and in a common year, the months cover 365 days, and day
// 366 (empty, or a copy of day 365) is a span of its own, labelled "Dia 366", so that it is
// never added to December nor shifts the months after February.
std::vector<DaySpan> seriesMonths(const std::optional<SeriesOrigin> &origin);

// Whether the spans end with day 366 apart.
bool hasDay366Apart(const std::vector<DaySpan> &spans);

// The sum of the values of each span's days; `daily` holds days 1 to 366 from index 0.
std::vector<long double> spanSums(const std::vector<long double> &daily,
                                  const std::vector<DaySpan> &spans);

} // namespace tavi
