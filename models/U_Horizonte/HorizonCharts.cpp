#include "models/U_Horizonte/HorizonCharts.h"

#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "frame/ChartViews.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>

#include <algorithm>
#include <limits>

using ChartViews::hm3;
using ChartViews::kVolumeUnit;
using tavi::horizon::ScenarioRun;

namespace
{

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    return ChartViews::view(
        chart, parent, QStringLiteral("Os mesmos valores estão nas tabelas anuais dos cenários"));
}

bool isDrawn(const ScenarioRun &run)
{
    return run.computed() && !run.years.empty();
}

} // namespace

QChartView *makeHorizonSectorsChart(const ScenarioRun &run, QWidget *parent)
{
    auto *chart = new QChart;
    ChartStyle::prepare(chart);
    QString title = QStringLiteral("Demanda por setor — cenário %1").arg(run.name);
    if (!run.computed())
        title += QStringLiteral(" (não calculado)");
    else if (run.isPartial())
        title += QStringLiteral(" — ") + run.partialNote();
    chart->setTitle(title);
    if (!isDrawn(run))
        return viewOf(chart, parent);

    std::vector<double> stacked(run.years.size(), 0.0);
    QLineSeries *below = nullptr;
    for (int s = 0; s < tavi::kSummarySectors; ++s) {
        if (!run.sectorComputed(s))
            continue;
        auto *upper = new QLineSeries(chart);
        for (std::size_t y = 0; y < run.years.size(); ++y) {
            stacked[y] += hm3(run.years[y].sectors[std::size_t(s)].annual);
            upper->append(run.years[y].year, stacked[y]);
        }
        auto *area = new QAreaSeries(upper, below);
        area->setName(tavi::summarySectorName(s));
        area->setColor(ChartStyle::seriesColour(s));
        area->setBorderColor(ChartStyle::seriesColour(s).darker(130));
        chart->addSeries(area);
        below = upper;
    }
    const double top = *std::max_element(stacked.begin(), stacked.end());
    QCategoryAxis *years = ChartAxes::addYearAxis(chart, run.years.front().year,
                                                  run.years.back().year, QStringLiteral("Ano"));
    QCategoryAxis *demand =
        ChartAxes::addValueAxis(chart, 0, top, tavi::AxisBase::Zero, kVolumeUnit);
    ChartAxes::attachAll(chart, years, demand);
    return viewOf(chart, parent);
}

QChartView *makeScenarioTotalsChart(const std::vector<ScenarioRun> &runs, QWidget *parent)
{
    auto *chart = new QChart;
    ChartStyle::prepare(chart);
    chart->setTitle(QStringLiteral("Demanda total por cenário"));
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    int firstYear = std::numeric_limits<int>::max();
    int lastYear = std::numeric_limits<int>::lowest();
    // The base stands out, thick and dark; the others in the colours after the sectors',
    // their dashes telling them apart on a page printed in grey too.
    static const Qt::PenStyle kDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DashDotLine,
                                           Qt::DotLine};
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const ScenarioRun &run = runs[r];
        if (!isDrawn(run))
            continue;
        auto *line = new QLineSeries(chart);
        for (const tavi::horizon::HorizonYear &year : run.years) {
            const double total = hm3(year.total.annual);
            line->append(year.year, total);
            low = std::min(low, total);
            high = std::max(high, total);
            firstYear = std::min(firstYear, year.year);
            lastYear = std::max(lastYear, year.year);
        }
        line->setName(run.isPartial() ? QStringLiteral("%1 (%2)").arg(run.name, run.partialNote())
                                      : run.name);
        QPen pen = r == 0 ? QPen(QColor(0x20, 0x20, 0x20), 3)
                          : QPen(ChartStyle::seriesColour(tavi::kSummarySectors + int(r) - 1), 2);
        pen.setStyle(r == 0 ? Qt::SolidLine : kDashes[(r - 1) % std::size(kDashes)]);
        line->setPen(pen);
        chart->addSeries(line);
    }
    if (chart->series().isEmpty())
        return viewOf(chart, parent);
    QCategoryAxis *years =
        ChartAxes::addYearAxis(chart, firstYear, lastYear, QStringLiteral("Ano"));
    // The scenarios part from one another by a fraction of their size: an axis from zero would
    // flatten what the planner compares.
    QCategoryAxis *demand =
        ChartAxes::addValueAxis(chart, low, high, tavi::AxisBase::Data, kVolumeUnit);
    ChartAxes::attachAll(chart, years, demand);
    return viewOf(chart, parent);
}
