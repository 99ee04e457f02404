#include "core/flows/MonthlyFlows.h"

#include "core/flows/ReferenceFlows.h"

#include <vector>

namespace tavi::flows
{

std::array<MonthFlows, 12> monthlyFlows(const FlowSeries &series)
{
    std::array<MonthFlows, 12> months{};
    if (series.isEmpty())
        return months;
    // Each calendar month's days gathered as a series of their own, dates set aside: the curve
    // only needs the flows, and durationCurve then ranks them as the annual curve does.
    std::array<FlowSeries, 12> pooled;
    const qint64 size = qint64(series.days.size());
    const QDate last = series.last();
    for (QDate month(series.first.year(), series.first.month(), 1); month <= last;
         month = month.addMonths(1)) {
        const qint64 from = series.first.daysTo(month);
        const int days = month.daysInMonth();
        int missing = 0;
        for (qint64 i = from; i < from + days; ++i) {
            if (i < 0 || i >= size || !series.days[std::size_t(i)])
                ++missing;
        }
        // A month the series only partly covers counts its days outside it as missing, as
        // seriesYears does, so that a month cut by the series' ends is no complete month.
        if (missing > kMostMissingShare * days)
            continue;
        const int m = month.month() - 1;
        ++months[std::size_t(m)].completeMonths;
        for (qint64 i = std::max<qint64>(from, 0); i < std::min<qint64>(from + days, size); ++i) {
            if (series.days[std::size_t(i)])
                pooled[std::size_t(m)].days.push_back(series.days[std::size_t(i)]);
        }
    }
    for (std::size_t m = 0; m < months.size(); ++m) {
        if (months[m].completeMonths >= kFewestMonthsForCurve)
            months[m].q95 = flowAtPermanence(durationCurve(pooled[m]), 95);
    }
    return months;
}

} // namespace tavi::flows
