#pragma once

#include "core/weather/StationYear.h"

#include <QtCharts/QChartView>

#include <vector>

// The year a station's records give, drawn over its days: ETo as a line broken where a day
// has none, rainfall as a bar a day on its own axis, and the days without ETo (red) or
// without rainfall (orange) as stripes from top to bottom, so that gaps stand out at a glance
// and a gauge that was down never passes for a dry spell.
class StationYearChart : public QChartView
{
    Q_OBJECT
public:
    explicit StationYearChart(QWidget *parent = nullptr);

    // Draws `days` (1 January first); `length` is how many of them the year has.
    void showYear(const std::vector<tavi::eto::YearDay> &days, int length);
    void clear();
};
