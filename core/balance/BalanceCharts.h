#pragma once

#include "core/balance/WaterBalance.h"

#include <vector>

// What the balance's charts plot, computed in core so that the window, the report and the
// workbook draw the same points.
namespace tavi::balance
{

struct ChartPoint {
    long double x = 0;
    long double y = 0;
};

// The flow-duration curve thinned to at most `points` points (the first and last kept), flows
// above 0 only, for a logarithmic axis: x the permanence in percent, y the flow in m3/s.
std::vector<ChartPoint> durationChartPoints(const WaterBalance &balance, int points = 400);

// The annual minima against their empirical non-exceedance probability m / (n + 1), x the
// probability in percent, y the minimum in m3/s; and a fit's curve over the same probabilities
// (1 % to 99 %), where it has values.
std::vector<ChartPoint> empiricalMinimaPoints(const WaterBalance &balance);
std::vector<ChartPoint> fitCurvePoints(const WaterBalance &balance, flows::MinimaFit fit,
                                       int points = 99);

// The daily flows of the series for the hydrograph, days without a value left out: x the day
// as milliseconds since the epoch (UTC), as date-time axes take it, y the flow in m3/s.
std::vector<ChartPoint> hydrographPoints(const flows::FlowSeries &series);

} // namespace tavi::balance
