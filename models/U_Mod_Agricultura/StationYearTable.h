#pragma once

#include "core/weather/StationYear.h"

#include <QTableWidget>

#include <vector>

// Day by day, what a station's year puts into the series: day, date, ETo and rainfall exactly
// as the cells will hold them, and the method behind each ETo. Days without an ETo or a
// rainfall are tinted red, days the fill gave them yellow, and day 366 of a common year says
// what it holds. Year 0 is the mean year.
class StationYearTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit StationYearTable(QWidget *parent = nullptr);

    void showYear(const std::vector<tavi::eto::YearDay> &days, int year,
                  tavi::eto::LeapDayFill fill);
    void clearYear();

    enum Column { DayColumn, DateColumn, EtoColumn, MethodColumn, RainColumn, kColumns };
};
