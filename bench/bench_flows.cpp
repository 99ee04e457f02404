#include "BenchUtil.h"
#include "core/flows/ReferenceFlows.h"

#include <cmath>

// 50 years of daily flows with a seasonal swing, a dry spell a year and a few gaps, as a gauge
// downloaded from the national agency gives them; every reference flow computed from it, as the
// flows window does each time the user changes the year or the fit.
void benchFlows()
{
    using namespace tavi::flows;
    FlowSeries series;
    series.first = QDate(1970, 1, 1);
    const qint64 days = series.first.daysTo(QDate(2019, 12, 31)) + 1;
    series.days.reserve(std::size_t(days));
    for (qint64 i = 0; i < days; ++i) {
        if (i % 97 == 0) {
            series.days.push_back(std::nullopt);
            continue;
        }
        const long double season = std::sin(2 * 3.14159265358979L * (i % 365) / 365);
        series.days.push_back(40 + 30 * season + (i * 7919 % 101) / 10.0L);
    }
    const double ms = bench::medianMs(11, [&] { referenceFlows(series, 10); });
    bench::row(QStringLiteral("flows: 50 years of daily flows, reference flows computed"), ms, "ms",
               QStringLiteral("goal < 50"));
}
