#pragma once

#include "core/workbook/WorkbookRange.h"

#include <optional>
#include <vector>

namespace tavi
{

// One series of a chart: the range its values come from, once one is given, and the range
// that names its points along x (the years of a horizon), if any; without one the points are
// numbered.
struct ChartSeries {
    std::optional<CellRange> values;
    std::optional<CellRange> categories;
};

// The chart of a chart sheet. A new chart is a plain line chart holding one series with no
// values yet, for the caller to point at its data.
class WorkbookChart
{
public:
    // Chart type numbers as spreadsheet automation knows them; the ones this workbook draws.
    static constexpr int kLine = 4;
    static constexpr int kLineStacked = 63;
    static constexpr int kAreaStacked = 76;
    // Bars standing up, the series piled on one another (one series stands alone).
    static constexpr int kColumnStacked = 52;

    WorkbookChart() : m_series(1) {}

    int chartType() const { return m_type; }
    // Throws WorkbookError for a type this workbook cannot draw.
    void setChartType(int type);
    bool isStacked() const
    {
        return m_type == kLineStacked || m_type == kAreaStacked || m_type == kColumnStacked;
    }
    bool isArea() const { return m_type == kAreaStacked; }
    bool isColumn() const { return m_type == kColumnStacked; }

    int seriesCount() const { return static_cast<int>(m_series.size()); }
    // Series counted from 1; throws WorkbookError for one that does not exist.
    const ChartSeries &series(int index) const;
    // SeriesCollection.NewSeries: a new series with no values yet, at the end; its number.
    int addSeries();
    // Sets the series' values, or its categories; the range must be one row or one column.
    void setSeriesValues(int index, const CellRange &values);
    void setSeriesCategories(int index, const CellRange &categories);

private:
    int m_type = kLine;
    std::vector<ChartSeries> m_series;
};

} // namespace tavi
