#include "core/balance/BalanceCharts.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace tavi::balance
{

namespace
{

std::vector<long double> minimaOf(const WaterBalance &balance)
{
    std::vector<long double> minima;
    if (!balance.flows)
        return minima;
    for (const flows::SeriesYear &year : balance.flows->years) {
        if (year.minimum7)
            minima.push_back(*year.minimum7);
    }
    return minima;
}

bool hasFit(const flows::MinimaFits &fits, flows::MinimaFit fit)
{
    switch (fit) {
    case flows::MinimaFit::Weibull:
        return fits.weibull.has_value();
    case flows::MinimaFit::LogNormal3:
        return fits.logNormal.has_value();
    case flows::MinimaFit::Empirical:
        // The empirical curve needs no parameter, only minima that were fitted at all.
        return fits.weibull.has_value();
    }
    return false;
}

} // namespace

std::vector<ChartPoint> durationChartPoints(const WaterBalance &balance, int points)
{
    std::vector<ChartPoint> chart;
    // A logarithmic axis has no place for a dry day.
    std::vector<flows::DurationPoint> wet;
    for (const flows::DurationPoint &point : balance.durationCurve) {
        if (point.flow > 0)
            wet.push_back(point);
    }
    if (wet.empty() || points < 1)
        return chart;
    // 50 years are 18 000 points that no chart shows apart; evenly spaced ranks keep the
    // curve's shape, and the ends keep its extremes.
    const std::size_t n = wet.size();
    const std::size_t kept = std::min<std::size_t>(n, std::size_t(points));
    for (std::size_t k = 0; k < kept; ++k) {
        const std::size_t i =
            kept == 1 ? 0 : std::size_t(std::llround((long double)k * (n - 1) / (kept - 1)));
        chart.push_back({wet[i].permanence, wet[i].flow});
    }
    return chart;
}

std::vector<ChartPoint> empiricalMinimaPoints(const WaterBalance &balance)
{
    std::vector<long double> minima = minimaOf(balance);
    std::sort(minima.begin(), minima.end());
    std::vector<ChartPoint> chart;
    const long double n = minima.size();
    for (std::size_t i = 0; i < minima.size(); ++i)
        chart.push_back({100 * (i + 1) / (n + 1), minima[i]});
    return chart;
}

std::vector<ChartPoint> fitCurvePoints(const WaterBalance &balance, flows::MinimaFit fit,
                                       int points)
{
    std::vector<ChartPoint> chart;
    const std::vector<long double> minima = minimaOf(balance);
    if (!balance.flows || points < 2 || !hasFit(balance.flows->fits, fit))
        return chart;
    for (int k = 0; k < points; ++k) {
        const long double percent = 1 + 98.0L * k / (points - 1);
        const std::optional<long double> flow =
            flows::fitQuantile(balance.flows->fits, fit, minima, percent / 100);
        if (flow)
            chart.push_back({percent, *flow});
    }
    return chart;
}

std::vector<ChartPoint> hydrographPoints(const flows::FlowSeries &series)
{
    std::vector<ChartPoint> chart;
    chart.reserve(series.days.size());
    const qint64 first = series.first.startOfDay(QTimeZone::utc()).toMSecsSinceEpoch();
    constexpr qint64 kMsPerDay = 86400000;
    for (std::size_t i = 0; i < series.days.size(); ++i) {
        if (series.days[i])
            chart.push_back(
                {static_cast<long double>(first + qint64(i) * kMsPerDay), *series.days[i]});
    }
    return chart;
}

} // namespace tavi::balance
