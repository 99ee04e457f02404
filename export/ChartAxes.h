#pragma once

#include "core/base/AxisScale.h"

class QChart;
class QLocale;
class QValueAxis;

// The value axes of every chart the program draws, scaled by tavi::valueAxisScale: one
// notation for all the labels, grouped thousands, and a break mark where the axis leaves zero
// out.
namespace ChartAxes
{

// A locale that writes a chart's numbers as the user's: the regional decimal separator and
// its thousands grouping.
QLocale numberLocale();

// Scales `axis`, already attached to `chart`, to values from `low` to `high`; when the axis
// does not reach zero, `chart` draws a break mark across it at the end nearer zero.
void fit(QChart *chart, QValueAxis *axis, double low, double high, tavi::AxisBase base);

// Whether `chart` carries a break mark on its value axis.
bool hasBreakMark(const QChart *chart);

} // namespace ChartAxes
