#include "export/ChartSheetView.h"

#include "core/LocaleSettings.h"
#include "core/Workbook.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>
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

// A locale that writes numbers with the regional decimal separator.
QLocale numberLocale()
{
    return tavi::LocaleSettings::current().decimalSeparator == QLatin1Char(',')
               ? QLocale(QLocale::Portuguese, QLocale::Brazil)
               : QLocale(QLocale::English, QLocale::UnitedStates);
}

// Points numbered 1, 2, 3 ... along x, as a chart without categories labels them, and a
// value axis that takes in zero.
void scaleLikeASpreadsheet(QChart *chart)
{
    const auto horizontal = chart->axes(Qt::Horizontal);
    const auto vertical = chart->axes(Qt::Vertical);
    if (horizontal.isEmpty() || vertical.isEmpty())
        return;
    auto *x = qobject_cast<QValueAxis *>(horizontal.first());
    auto *y = qobject_cast<QValueAxis *>(vertical.first());
    if (!x || !y)
        return;
    const int points = qMax(1, qRound(x->max()));
    x->setRange(1, qMax(2, points));
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(points <= 20 ? 1 : points <= 100 ? 5 : qCeil(points / 100.0) * 10);
    y->setRange(qMin(0.0, y->min()), qMax(0.0, y->max()));
    y->applyNiceNumbers();
}

} // namespace

QChartView *makeChartView(const tavi::Workbook &workbook, const tavi::WorkbookChart &chart,
                          QWidget *parent)
{
    auto *drawn = new QChart;
    for (const std::vector<double> &line : chartLines(workbook, chart)) {
        auto *series = new QLineSeries(drawn);
        for (size_t i = 0; i < line.size(); ++i)
            series->append(static_cast<double>(i + 1), line[i]);
        drawn->addSeries(series);
    }
    drawn->createDefaultAxes();
    drawn->legend()->hide();
    drawn->setLocalizeNumbers(true);
    drawn->setLocale(numberLocale());
    scaleLikeASpreadsheet(drawn);
    auto *view = new QChartView(drawn, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}
