#include "models/U_Regiao/RegionCharts.h"

#include "core/region/RegionTables.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "frame/ChartViews.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QStackedBarSeries>

#include <algorithm>
#include <array>

using ChartViews::hm3;
using ChartViews::kVolumeUnit;
using ChartViews::newChart;
using namespace tavi;
using namespace tavi::region;

namespace
{

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    return ChartViews::view(
        chart, parent,
        QStringLiteral("Os mesmos valores estão nas tabelas de resultados da região"));
}

// One bar per category, stacked by sector in the summary's colours. A sector that failed
// for a municipality stands at zero in its bar: the tables say it is missing.
struct Bar {
    QString label;
    std::array<long double, kSummarySectors> annual{};
    std::array<bool, kSummarySectors> computed{};
};

QChartView *stackedBars(const QString &title, const QString &axisTitle,
                        const std::vector<Bar> &bars, QWidget *parent)
{
    QChart *chart = newChart(title);
    if (bars.empty())
        return viewOf(chart, parent);
    auto *series = new QStackedBarSeries(chart);
    QStringList labels;
    std::vector<double> heights(bars.size(), 0.0);
    for (int s = 0; s < kSummarySectors; ++s) {
        auto *set = new QBarSet(summarySectorName(s));
        set->setColor(ChartStyle::seriesColour(s));
        set->setBorderColor(ChartStyle::seriesColour(s).darker(130));
        for (std::size_t b = 0; b < bars.size(); ++b) {
            const double value =
                bars[b].computed[std::size_t(s)] ? hm3(bars[b].annual[std::size_t(s)]) : 0.0;
            set->append(value);
            heights[b] += value;
        }
        series->append(set);
    }
    for (const Bar &bar : bars)
        labels << bar.label;
    chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setTitleText(axisTitle);
    // Names side by side would run into one another from a dozen bars on.
    if (bars.size() > 6)
        categories->setLabelsAngle(-90);
    // A municipality cut to "Munic…" names no municipality at all.
    categories->setTruncateLabels(false);
    // A lone bar across the whole chart reads as a background, not a figure.
    if (bars.size() <= 3)
        series->setBarWidth(0.35);
    chart->addAxis(categories, Qt::AlignBottom);
    const double top = *std::max_element(heights.begin(), heights.end());
    QCategoryAxis *volume = ChartAxes::addValueAxis(chart, 0, top, AxisBase::Zero, kVolumeUnit);
    ChartAxes::attachAll(chart, categories, volume);
    return viewOf(chart, parent);
}

} // namespace

QChartView *makeLargestMunicipalitiesChart(const RegionResults &results, QWidget *parent)
{
    const std::vector<int> largest = largestMunicipalities(results, 20);
    std::vector<Bar> bars;
    for (int index : largest) {
        const MunicipalityResult &m = results.municipalities[std::size_t(index)];
        Bar bar;
        bar.label = m.name.isEmpty() ? m.code : m.name;
        bar.annual = m.annual;
        bar.computed = m.computed;
        bars.push_back(bar);
    }
    QString title = QStringLiteral("Os %1 municípios de maior demanda anual").arg(bars.size());
    if (bars.empty())
        title = QStringLiteral("Municípios de maior demanda anual (nenhum calculado)");
    return stackedBars(title, QStringLiteral("Município"), bars, parent);
}

QChartView *makeGroupTotalsChart(const RegionResults &results, QWidget *parent)
{
    std::vector<Bar> bars;
    for (const RegionTotal &total : results.groups) {
        Bar bar;
        bar.label = total.group;
        bar.annual = total.annual;
        bar.computed.fill(true);
        bars.push_back(bar);
    }
    return stackedBars(bars.empty() ? QStringLiteral("Demanda anual por grupo (nenhum grupo)")
                                    : QStringLiteral("Demanda anual por grupo"),
                       QStringLiteral("Grupo"), bars, parent);
}

QChartView *makeScenarioTotalsChart(const RegionResults &results, QWidget *parent)
{
    std::vector<Bar> bars;
    for (const ScenarioFinal &final : results.region.horizon) {
        // A scenario that could not be computed has no bar rather than one at zero.
        if (!final.problem.isEmpty())
            continue;
        Bar bar;
        bar.label = final.year > 0 ? QStringLiteral("%1 (%2)").arg(final.scenario).arg(final.year)
                                   : final.scenario;
        if (final.partial)
            bar.label += QStringLiteral(" *");
        bar.annual = final.annual;
        bar.computed.fill(true);
        bars.push_back(bar);
    }
    QString title = QStringLiteral("Demanda anual da região no ano final, por cenário");
    if (std::any_of(bars.begin(), bars.end(),
                    [](const Bar &bar) { return bar.label.endsWith(QLatin1Char('*')); }))
        title += QStringLiteral(" (* total parcial)");
    if (results.scenarios.isEmpty())
        title = QStringLiteral("Demanda da região por cenário (a região não tem horizonte)");
    return stackedBars(title, QStringLiteral("Cenário"), bars, parent);
}
