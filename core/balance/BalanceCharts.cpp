#include "core/balance/BalanceCharts.h"

namespace tavi::balance
{

std::vector<ChartPoint> durationChartPoints(const WaterBalance &, int)
{
    return {};
}

std::vector<ChartPoint> empiricalMinimaPoints(const WaterBalance &)
{
    return {};
}

std::vector<ChartPoint> fitCurvePoints(const WaterBalance &, flows::MinimaFit, int)
{
    return {};
}

std::vector<ChartPoint> hydrographPoints(const flows::FlowSeries &)
{
    return {};
}

} // namespace tavi::balance
