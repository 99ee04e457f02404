#include "models/U_Horizonte/HorizonCharts.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>

// Provisional: empty charts until they are drawn.
QChartView *makeHorizonSectorsChart(const tavi::horizon::ScenarioRun &, QWidget *parent)
{
    return new QChartView(new QChart, parent);
}

QChartView *makeScenarioTotalsChart(const std::vector<tavi::horizon::ScenarioRun> &,
                                    QWidget *parent)
{
    return new QChartView(new QChart, parent);
}
