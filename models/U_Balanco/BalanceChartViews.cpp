#include "models/U_Balanco/BalanceChartViews.h"

#include "core/balance/BalanceCharts.h"
#include "core/base/LocaleSettings.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "frame/ChartViews.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>

#include <algorithm>
#include <cmath>
#include <limits>

using ChartViews::newChart;
using tavi::balance::ChartPoint;
using tavi::balance::ScenarioBalance;
using tavi::balance::WaterBalance;

namespace
{

const QString kFlowUnit = QStringLiteral("Vazão (m³/s)");
// The scenarios after the base from purple on: red, orange and green are the classes' limits
// drawn behind them.
constexpr int kFirstScenarioColour = 4;
constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    return ChartViews::view(
        chart, parent, QStringLiteral("Os mesmos valores estão nas tabelas do balanço hídrico"));
}

// Lines that only mark a level are read from their own label or the axis, not the legend.
void hideFromLegend(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

QString flowText(long double flow)
{
    // Reference flows run from litres to thousands of cubic metres a second; three
    // significant figures read them alike.
    const double value = double(flow);
    const int decimals = value <= 0 ? 2 : std::clamp(2 - int(std::floor(std::log10(value))), 0, 4);
    return ChartStyle::number(value, decimals);
}

// A date axis writes its labels in local time: a day given at UTC midnight would read as the
// evening before west of Greenwich, and 1 January as the year before. Noon of the same day,
// local time, is that day wherever the program runs.
double localDay(long double utcMs)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(qint64(utcMs), Qt::UTC).date();
    return double(QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch());
}

// Qt writes a logarithmic axis's labels itself; the locale given to it is the one whose
// decimal separator the user's settings name, so they read as the program's other numbers.
QLocale chartLocale()
{
    const QChar decimal = tavi::LocaleSettings::current().decimalSeparator;
    if (decimal == QLatin1Char(','))
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    if (decimal == QLatin1Char('.'))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale::system();
}

} // namespace

QChartView *makeHydrographChart(const tavi::flows::FlowSeries &series, QWidget *parent)
{
    QChart *chart =
        newChart(series.station.isEmpty() ? QStringLiteral("Hidrograma")
                                          : QStringLiteral("Hidrograma — %1").arg(series.station));
    const std::vector<ChartPoint> points = tavi::balance::hydrographPoints(series);
    if (points.empty())
        return viewOf(chart, parent);

    // A gap in the record is left blank rather than bridged by a line the river never drew:
    // each stretch of consecutive days is its own line, in the one colour.
    const QPen pen(ChartStyle::seriesColour(0), 1);
    QList<QPointF> stretch;
    double top = 0;
    const auto close = [&] {
        if (stretch.isEmpty())
            return;
        auto *line = new QLineSeries(chart);
        line->setName(QStringLiteral("Vazão diária"));
        line->setPen(pen);
        line->replace(stretch);
        chart->addSeries(line);
        if (chart->series().size() > 1)
            hideFromLegend(chart, line);
        stretch.clear();
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].x - points[i - 1].x > kMsPerDay + 1)
            close();
        stretch.append(QPointF(localDay(points[i].x), double(points[i].y)));
        top = std::max(top, double(points[i].y));
    }
    close();

    auto *dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy"));
    dates->setTitleText(QStringLiteral("Data"));
    dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(localDay(points.front().x))),
                    QDateTime::fromMSecsSinceEpoch(qint64(localDay(points.back().x))));
    dates->setTickCount(8);
    chart->addAxis(dates, Qt::AlignBottom);
    QCategoryAxis *flow = ChartAxes::addValueAxis(chart, 0, top, tavi::AxisBase::Zero, kFlowUnit);
    ChartAxes::attachAll(chart, dates, flow);
    chart->legend()->hide();
    return viewOf(chart, parent);
}

QChartView *makeDurationCurveChart(const WaterBalance &balance, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Curva de permanência"));
    const std::vector<ChartPoint> points = tavi::balance::durationChartPoints(balance);
    if (points.empty())
        return viewOf(chart, parent);

    auto *curve = new QLineSeries(chart);
    curve->setName(QStringLiteral("Vazão diária"));
    curve->setPen(QPen(ChartStyle::seriesColour(0), 2));
    double low = std::numeric_limits<double>::max();
    double high = 0;
    for (const ChartPoint &p : points) {
        curve->append(double(p.x), double(p.y));
        low = std::min(low, double(p.y));
        high = std::max(high, double(p.y));
    }
    chart->addSeries(curve);

    if (balance.reference > 0) {
        const double reference = double(balance.reference);
        auto *mark = new QLineSeries(chart);
        mark->setName(
            QStringLiteral("%1 = %2 m³/s").arg(balance.referenceName, flowText(balance.reference)));
        QPen pen(ChartStyle::seriesColour(3), 2);
        pen.setStyle(Qt::DashLine);
        mark->setPen(pen);
        mark->append(0, reference);
        mark->append(100, reference);
        chart->addSeries(mark);
        low = std::min(low, reference);
        high = std::max(high, reference);
    }

    QCategoryAxis *permanence = ChartAxes::addValueAxis(
        chart, 0, 100, tavi::AxisBase::Zero, QStringLiteral("Permanência (%)"), Qt::AlignBottom);
    chart->setLocalizeNumbers(true);
    chart->setLocale(chartLocale());
    auto *flow = new QLogValueAxis;
    flow->setBase(10);
    flow->setTitleText(kFlowUnit);
    flow->setLabelFormat(QStringLiteral("%.4g"));
    flow->setMinorTickCount(8);
    // Whole decades, so that every label stands at a power of ten.
    flow->setRange(std::pow(10.0, std::floor(std::log10(low))),
                   std::pow(10.0, std::ceil(std::log10(high * 1.0001))));
    chart->addAxis(flow, Qt::AlignLeft);
    ChartAxes::attachAll(chart, permanence, flow);
    return viewOf(chart, parent);
}

QChartView *makeMinimaFitChart(const WaterBalance &balance, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Mínimas anuais de 7 dias e ajustes"));
    const std::vector<ChartPoint> minima = tavi::balance::empiricalMinimaPoints(balance);
    if (minima.empty())
        return viewOf(chart, parent);

    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    const auto reach = [&](const ChartPoint &p) {
        low = std::min(low, double(p.y));
        high = std::max(high, double(p.y));
    };

    struct Fit {
        tavi::flows::MinimaFit fit;
        QString name;
    };
    const Fit fits[] = {{tavi::flows::MinimaFit::Weibull, QStringLiteral("Weibull")},
                        {tavi::flows::MinimaFit::LogNormal3, QStringLiteral("Log-normal 3P")},
                        {tavi::flows::MinimaFit::Empirical, QStringLiteral("Empírica")}};
    for (std::size_t f = 0; f < std::size(fits); ++f) {
        const std::vector<ChartPoint> curve = tavi::balance::fitCurvePoints(balance, fits[f].fit);
        if (curve.empty())
            continue;
        auto *line = new QLineSeries(chart);
        const bool chosen = balance.choices.fit == fits[f].fit;
        line->setName(chosen ? fits[f].name + QStringLiteral(" (escolhido)") : fits[f].name);
        // The fit that gives Q7,10 stands out; the others stay beside it for comparison.
        QPen pen(ChartStyle::seriesColour(int(f) + 1), chosen ? 3 : 1.5);
        pen.setStyle(chosen ? Qt::SolidLine : Qt::DashLine);
        line->setPen(pen);
        for (const ChartPoint &p : curve) {
            line->append(double(p.x), double(p.y));
            reach(p);
        }
        chart->addSeries(line);
    }

    auto *points = new QScatterSeries(chart);
    points->setName(QStringLiteral("Mínimas observadas"));
    points->setMarkerSize(8);
    points->setColor(ChartStyle::seriesColour(0));
    points->setBorderColor(ChartStyle::seriesColour(0).darker(140));
    for (const ChartPoint &p : minima) {
        points->append(double(p.x), double(p.y));
        reach(p);
    }
    chart->addSeries(points);

    QCategoryAxis *probability = ChartAxes::addValueAxis(
        chart, 0, 100, tavi::AxisBase::Zero, QStringLiteral("Frequência de não excedência (%)"),
        Qt::AlignBottom);
    QCategoryAxis *flow =
        ChartAxes::addValueAxis(chart, std::min(low, high), high, tavi::AxisBase::Data,
                                QStringLiteral("Mínima de 7 dias (m³/s)"));
    ChartAxes::attachAll(chart, probability, flow);
    return viewOf(chart, parent);
}

QChartView *makeMonthlyBalanceChart(const WaterBalance &balance, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Demanda mensal e disponibilidade"));
    if (balance.months.empty())
        return viewOf(chart, parent);

    QStringList labels;
    auto *demand = new QBarSet(QStringLiteral("Demanda média"));
    demand->setColor(ChartStyle::seriesColour(0));
    double high = 0;
    for (const tavi::balance::MonthBalance &month : balance.months) {
        labels << month.label;
        demand->append(double(month.demand));
        high = std::max(high, double(month.demand));
    }
    auto *bars = new QBarSeries(chart);
    bars->append(demand);
    chart->addSeries(bars);

    const int count = int(balance.months.size());
    if (balance.available > 0) {
        auto *available = new QLineSeries(chart);
        available->setName(QStringLiteral("Vazão outorgável (%1 % de %2)")
                               .arg(ChartStyle::number(double(balance.choices.grantShare), 0),
                                    balance.referenceName));
        available->setPen(QPen(ChartStyle::seriesColour(2), 2.5));
        // Across the whole width of the bars, the first's left edge to the last's right.
        available->append(-0.5, double(balance.available));
        available->append(count - 0.5, double(balance.available));
        chart->addSeries(available);
        high = std::max(high, double(balance.available));
    }

    // A month without its own curve breaks the line rather than joining its neighbours.
    QPen q95Pen(ChartStyle::seriesColour(3), 2);
    q95Pen.setStyle(Qt::DashLine);
    QLineSeries *q95 = nullptr;
    bool named = false;
    for (int m = 0; m < count; ++m) {
        const std::optional<long double> &flow = balance.months[std::size_t(m)].monthQ95;
        if (!flow) {
            q95 = nullptr;
            continue;
        }
        if (!q95) {
            q95 = new QLineSeries(chart);
            q95->setName(QStringLiteral("Q95 do mês"));
            q95->setPen(q95Pen);
            q95->setPointsVisible(true);
            chart->addSeries(q95);
            if (named)
                hideFromLegend(chart, q95);
            named = true;
        }
        q95->append(m, double(*flow));
        high = std::max(high, double(*flow));
    }

    auto *months = new QBarCategoryAxis;
    months->append(labels);
    months->setTitleText(QStringLiteral("Mês"));
    chart->addAxis(months, Qt::AlignBottom);
    QCategoryAxis *flow = ChartAxes::addValueAxis(chart, 0, high, tavi::AxisBase::Zero, kFlowUnit);
    ChartAxes::attachAll(chart, months, flow);
    return viewOf(chart, parent);
}

QChartView *makeHorizonRatioChart(const std::vector<ScenarioBalance> &scenarios, QWidget *parent)
{
    QChart *chart = newChart(QStringLiteral("Demanda do dia médio / referência por cenário"));
    int firstYear = std::numeric_limits<int>::max();
    int lastYear = std::numeric_limits<int>::lowest();
    double high = 0;
    static const Qt::PenStyle kDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DashDotLine,
                                           Qt::DotLine};
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        const ScenarioBalance &scenario = scenarios[s];
        if (scenario.years.empty())
            continue;
        auto *line = new QLineSeries(chart);
        line->setName(scenario.name);
        QPen pen = s == 0 ? QPen(QColor(0x20, 0x20, 0x20), 3)
                          : QPen(ChartStyle::seriesColour(kFirstScenarioColour + int(s) - 1), 2);
        pen.setStyle(s == 0 ? Qt::SolidLine : kDashes[(s - 1) % std::size(kDashes)]);
        line->setPen(pen);
        for (const tavi::balance::HorizonBalanceYear &year : scenario.years) {
            line->append(year.year, double(year.meanDay.percent));
            high = std::max(high, double(year.meanDay.percent));
            firstYear = std::min(firstYear, year.year);
            lastYear = std::max(lastYear, year.year);
        }
        chart->addSeries(line);
    }
    if (chart->series().isEmpty())
        return viewOf(chart, parent);

    // The axis reaches the next class limit above the highest ratio, so that the band the
    // scenarios end in is seen whole and the limit they would cross next is in sight.
    static const double kLimits[] = {5, 10, 20, 40};
    double top = high * 1.05;
    for (double limit : kLimits) {
        if (limit >= high) {
            top = std::max(top, limit * 1.05);
            break;
        }
    }
    for (std::size_t c = 1; c < tavi::balance::kStressClasses.size(); ++c) {
        const double limit = kLimits[c - 1];
        if (limit > top)
            break;
        auto *line = new QLineSeries(chart);
        // The class above the limit, since that is where a scenario crossing it goes.
        const tavi::balance::StressClass above = tavi::balance::kStressClasses[c];
        line->setName(
            QStringLiteral("%1 % (%2)")
                .arg(ChartStyle::number(limit, 0), tavi::balance::stressClassName(above)));
        // Darkened a little: the lighter classes' own colours vanish on the white plot.
        QPen pen(QColor(tavi::balance::stressClassColour(above)).darker(125), 2);
        pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        line->append(firstYear, limit);
        line->append(lastYear, limit);
        chart->addSeries(line);
    }
    QCategoryAxis *years =
        ChartAxes::addYearAxis(chart, firstYear, lastYear, QStringLiteral("Ano"));
    QCategoryAxis *ratio = ChartAxes::addValueAxis(chart, 0, top, tavi::AxisBase::Zero,
                                                   QStringLiteral("Demanda / referência (%)"));
    ChartAxes::attachAll(chart, years, ratio);
    return viewOf(chart, parent);
}
