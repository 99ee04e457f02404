#include "export/ChartSheetView.h"

#include "core/workbook/Workbook.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QtMath>

std::vector<std::vector<double>> chartLines(const tavi::Workbook &workbook,
                                            const tavi::WorkbookChart &chart)
{
    std::vector<std::vector<double>> lines;
    for (int s = 1; s <= chart.seriesCount(); ++s) {
        const tavi::ChartSeries &series = chart.series(s);
        if (!series.values)
            continue;
        std::vector<double> line = tavi::rangeValues(workbook, *series.values);
        // Stacked, each line stands on the one before it.
        if (chart.isStacked() && !lines.empty())
            for (size_t i = 0; i < line.size() && i < lines.back().size(); ++i)
                line[i] += lines.back()[i];
        lines.push_back(std::move(line));
    }
    return lines;
}

namespace
{

// Points numbered 1, 2, 3 ... along x, as a chart without categories labels them, or named
// by its categories; and a value axis fitted to the data: a stacked chart's bands from zero,
// whose share would not show otherwise; a line that varies in its fourth digit fitted, so it
// does not draw flat.
void addAxes(QChart *chart, const std::vector<std::vector<double>> &lines, bool stacked,
             const QStringList &categories)
{
    std::size_t points = 1;
    double low = 0, high = 0;
    bool any = false;
    for (const std::vector<double> &line : lines) {
        points = std::max(points, line.size());
        for (double v : line) {
            if (!qIsFinite(v))
                continue;
            low = any ? qMin(low, v) : v;
            high = any ? qMax(high, v) : v;
            any = true;
        }
    }
    QCategoryAxis *x = categories.isEmpty()
                           ? ChartAxes::addCountAxis(chart, 1, int(points), QString())
                           : ChartAxes::addCategoryAxis(chart, categories, QString());
    QCategoryAxis *y = ChartAxes::addValueAxis(
        chart, low, high, stacked ? tavi::AxisBase::Zero : tavi::AxisBase::Data, QString());
    ChartAxes::attachAll(chart, x, y);
}

// What the legend calls a series: the heading above its values; "Série n" where there is none.
QString seriesName(const tavi::Workbook &workbook, const tavi::WorkbookChart &chart, int s)
{
    const tavi::ChartSeries &series = chart.series(s);
    const QString heading =
        series.values ? tavi::seriesHeading(workbook, *series.values) : QString();
    return heading.isEmpty() ? QStringLiteral("Série %1").arg(s) : heading;
}

} // namespace

QChartView *makeChartView(const tavi::Workbook &workbook, const tavi::WorkbookChart &chart,
                          QWidget *parent)
{
    auto *drawn = new QChart;
    ChartStyle::prepare(drawn);
    const std::vector<std::vector<double>> lines = chartLines(workbook, chart);
    int s = 0;
    QLineSeries *below = nullptr;
    for (const std::vector<double> &line : lines) {
        auto *series = new QLineSeries(drawn);
        // chartLines leaves out series without values; the names follow the same count.
        do
            ++s;
        while (s <= chart.seriesCount() && !chart.series(s).values);
        for (size_t i = 0; i < line.size(); ++i)
            series->append(static_cast<double>(i + 1), line[i]);
        if (chart.isArea()) {
            // Each band lies between the line of the series before and its own.
            auto *area = new QAreaSeries(series, below);
            area->setName(seriesName(workbook, chart, s));
            area->setColor(ChartStyle::seriesColour(s - 1));
            area->setBorderColor(ChartStyle::seriesColour(s - 1).darker(130));
            drawn->addSeries(area);
            below = series;
            continue;
        }
        series->setName(seriesName(workbook, chart, s));
        series->setColor(ChartStyle::seriesColour(s - 1));
        drawn->addSeries(series);
    }
    // A spreadsheet names the points by the first series' categories.
    QStringList categories;
    for (int c = 1; c <= chart.seriesCount(); ++c)
        if (chart.series(c).values) {
            if (chart.series(c).categories)
                categories = tavi::rangeTexts(workbook, *chart.series(c).categories);
            break;
        }
    addAxes(drawn, lines, chart.isStacked(), categories);
    auto *view = new QChartView(drawn, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}
