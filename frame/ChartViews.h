#pragma once

#include <QString>

class QChart;
class QChartView;
class QWidget;

// The view every window shows a chart in, and a chart as each starts, in the one look of
// ChartStyle.
namespace ChartViews
{

// A new chart with its title, prepared for the screen.
QChart *newChart(const QString &title);

// A view of `chart` that a screen reader names by the chart's title and sends to `tables`, a
// sentence telling where the same figures are; it takes no focus, as nothing in it is typed.
QChartView *view(QChart *chart, QWidget *parent, const QString &tables);

// A year's volume as the region's and the horizon's charts draw it: a municipality's year runs
// from thousands to billions of cubic metres, and hm3/ano keeps the axis short where m3/ano
// would run to nine digits.
extern const QString kVolumeUnit;
double hm3(long double cubicMetres);

} // namespace ChartViews
