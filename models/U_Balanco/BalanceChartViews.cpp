#include "models/U_Balanco/BalanceChartViews.h"

#include <QtCharts/QChartView>

QChartView *makeHydrographChart(const tavi::flows::FlowSeries &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeDurationCurveChart(const tavi::balance::WaterBalance &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeMinimaFitChart(const tavi::balance::WaterBalance &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeMonthlyBalanceChart(const tavi::balance::WaterBalance &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeHorizonRatioChart(const std::vector<tavi::balance::ScenarioBalance> &,
                                  QWidget *parent)
{
    return new QChartView(parent);
}
