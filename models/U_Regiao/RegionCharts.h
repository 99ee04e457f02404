#pragma once

#include "core/region/RegionRun.h"

class QChartView;
class QWidget;

// The region's charts, for its window and its report: the 20 largest municipalities by total,
// each bar stacked by sector; the totals per group, stacked the same way; and, with a horizon,
// the region's final-year total per scenario.
QChartView *makeLargestMunicipalitiesChart(const tavi::region::RegionResults &results,
                                           QWidget *parent);
QChartView *makeGroupTotalsChart(const tavi::region::RegionResults &results, QWidget *parent);
QChartView *makeScenarioTotalsChart(const tavi::region::RegionResults &results, QWidget *parent);
