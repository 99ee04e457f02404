#pragma once

#include "core/horizon/HorizonRun.h"

#include <vector>

class QChartView;
class QWidget;

// The horizon's two charts, for its window and its report chapter: a scenario's three
// sectors as stacked areas over the years, and every scenario's total as a line. A sector
// that could not be computed is left out; a scenario that could not be computed too.
QChartView *makeHorizonSectorsChart(const tavi::horizon::ScenarioRun &run, QWidget *parent);
QChartView *makeScenarioTotalsChart(const std::vector<tavi::horizon::ScenarioRun> &runs,
                                    QWidget *parent);
