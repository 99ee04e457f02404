#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/flows/FlowSeries.h"

#include <vector>

class QChartView;
class QWidget;

// The balance's charts, for its window and its report chapter, each drawn from the points core
// computes (BalanceCharts.h): the hydrograph of the series; the flow-duration curve on a
// logarithmic flow axis, the chosen reference flow marked; the annual 7-day minima against
// their empirical frequencies with the fits' curves; the monthly demand against the reference
// flow's grantable share and each month's Q95; and, with a horizon, each scenario's mean-day
// ratio over the years against the class bands.
QChartView *makeHydrographChart(const tavi::flows::FlowSeries &series, QWidget *parent);
QChartView *makeDurationCurveChart(const tavi::balance::WaterBalance &balance, QWidget *parent);
QChartView *makeMinimaFitChart(const tavi::balance::WaterBalance &balance, QWidget *parent);
QChartView *makeMonthlyBalanceChart(const tavi::balance::WaterBalance &balance, QWidget *parent);
QChartView *makeHorizonRatioChart(const std::vector<tavi::balance::ScenarioBalance> &scenarios,
                                  QWidget *parent);
