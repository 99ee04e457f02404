#include "models/U_Resumo_Municipio/SummaryCharts.h"

#include "core/numbers/NumberText.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "frame/ChartViews.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QPieSeries>

namespace
{

// A chart of a partial total says so in its title.
QChart *newChart(const QString &title, const tavi::MunicipalSummary &summary)
{
    auto *chart = new QChart;
    ChartStyle::prepare(chart);
    chart->setTitle(
        summary.isPartial() ? QStringLiteral("%1 — %2").arg(title, summary.partialNote()) : title);
    return chart;
}

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    return ChartViews::view(
        chart, parent,
        QStringLiteral("Os mesmos valores estão nas tabelas de demanda diária e de totais anuais"));
}

} // namespace

QChartView *makeDailyDemandChart(const tavi::MunicipalSummary &summary, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Demanda diária por setor"), summary);
    std::vector<double> stacked(tavi::kSummaryDays, 0.0);
    QLineSeries *below = nullptr;
    for (int s = 0; s < tavi::kSummarySectors; ++s) {
        const tavi::SectorSeries &sector = summary.sectors[s];
        if (!sector.computed())
            continue;
        auto *upper = new QLineSeries(chart);
        for (int day = 0; day < tavi::kSummaryDays; ++day) {
            stacked[day] += double(sector.daily[day]);
            upper->append(day + 1, stacked[day]);
        }
        auto *area = new QAreaSeries(upper, below);
        area->setName(tavi::summarySectorName(s));
        area->setColor(ChartStyle::seriesColour(s));
        area->setBorderColor(ChartStyle::seriesColour(s).darker(130));
        chart->addSeries(area);
        below = upper;
    }
    double top = 0;
    for (double v : stacked)
        top = qMax(top, v);
    QCategoryAxis *days =
        ChartAxes::addCountAxis(chart, 1, tavi::kSummaryDays, QStringLiteral("Dia"));
    QCategoryAxis *demand =
        ChartAxes::addValueAxis(chart, 0, top, tavi::AxisBase::Zero, QStringLiteral("m³/dia"));
    ChartAxes::attachAll(chart, days, demand);
    return viewOf(chart, parent);
}

QChartView *makeAnnualSharesChart(const tavi::MunicipalSummary &summary, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Participação no volume anual"), summary);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto *pie = new QPieSeries(chart);
    for (int s = 0; s < tavi::kSummarySectors; ++s) {
        const tavi::SectorSeries &sector = summary.sectors[s];
        if (!sector.computed() || sector.annual <= 0)
            continue;
        // The supply's long name would be cut short beside the pie.
        const QString name =
            s == tavi::SupplySector ? QStringLiteral("Abastecimento") : tavi::summarySectorName(s);
        // Sized by the share, which stays within 0 to 100 where a volume beyond the range of a
        // double (a typing slip of 1E400 heads) would be refused by the pie.
        QPieSlice *slice = pie->append(
            QStringLiteral("%1 (%2%)")
                .arg(name, tavi::formatDisplay(summary.shares[s], QStringLiteral(",0.0;-,0.0"))),
            double(summary.shares[s]));
        if (slice)
            slice->setColor(ChartStyle::seriesColour(s));
    }
    chart->addSeries(pie);
    return viewOf(chart, parent);
}
