#pragma once

#include "core/projection/PopulationProjection.h"

#include <vector>

class QChartView;
class QWidget;

// The population tab's chart: the counts the user typed as points, and every method that
// applies to them as a line from the first count to the horizon's final year, the chosen one
// drawn heavier. The table beside it holds the same figures for the final year.
QChartView *makePopulationMethodsChart(const std::vector<tavi::projection::PopulationCount> &counts,
                                       const std::vector<tavi::projection::ProjectionFit> &fits,
                                       tavi::projection::ProjectionMethod chosen, int finalYear,
                                       QWidget *parent);
