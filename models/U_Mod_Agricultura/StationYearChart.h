#pragma once

#include "core/StationYear.h"

#include <QtCharts/QChartView>

#include <vector>

// The year a station's records give, drawn over its days: ETo as a line broken where a day
// has none, rainfall as a bar a day on its own axis, and the days without ETo as red
// stripes from top to bottom, so that gaps stand out at a glance.
class StationYearChart : public QChartView
{
    Q_OBJECT
public:
    explicit StationYearChart(QWidget *parent = nullptr);

    // Draws `days` (1 January first); `length` is how many of them the year has.
    void showYear(const std::vector<tavi::eto::YearDay> &days, int length);
    void clear();
};
