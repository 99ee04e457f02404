#include "models/U_Regiao/RegionCharts.h"

#include <QChartView>

QChartView *makeLargestMunicipalitiesChart(const tavi::region::RegionResults &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeGroupTotalsChart(const tavi::region::RegionResults &, QWidget *parent)
{
    return new QChartView(parent);
}

QChartView *makeScenarioTotalsChart(const tavi::region::RegionResults &, QWidget *parent)
{
    return new QChartView(parent);
}
