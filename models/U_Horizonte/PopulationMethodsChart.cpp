#include "models/U_Horizonte/PopulationMethodsChart.h"

#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace tavi::projection;

namespace
{

// The legend stands beside a chart a side panel wide: each method by the word that tells it
// from the others, the table above it naming them in full.
QString legendName(ProjectionMethod method)
{
    switch (method) {
    case ProjectionMethod::Arithmetic:
        return QStringLiteral("Aritmético");
    case ProjectionMethod::Geometric:
        return QStringLiteral("Geométrico");
    case ProjectionMethod::DecreasingRate:
        return QStringLiteral("Taxa decrescente");
    case ProjectionMethod::Logistic:
        return QStringLiteral("Logística");
    case ProjectionMethod::LinearTrend:
        return QStringLiteral("Tend. linear");
    case ProjectionMethod::ExponentialTrend:
        return QStringLiteral("Tend. exponencial");
    case ProjectionMethod::LogarithmicTrend:
        return QStringLiteral("Tend. logarítmica");
    case ProjectionMethod::PowerTrend:
        return QStringLiteral("Tend. de potência");
    }
    return methodName(method);
}

} // namespace

QChartView *makePopulationMethodsChart(const std::vector<PopulationCount> &counts,
                                       const std::vector<ProjectionFit> &fits,
                                       ProjectionMethod chosen, int finalYear, QWidget *parent)
{
    auto *chart = new QChart;
    ChartStyle::prepare(chart);
    chart->setTitle(QStringLiteral("Contagens e métodos de projeção"));
    double low = 0, high = 0;
    bool any = false;
    auto reach = [&](double value) {
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    };

    int first = finalYear;
    for (const PopulationCount &count : counts)
        first = std::min(first, count.year);
    for (std::size_t m = 0; m < fits.size(); ++m) {
        const ProjectionFit &fit = fits[m];
        if (!fit.applies())
            continue;
        auto *line = new QLineSeries(chart);
        line->setName(legendName(fit.method()));
        QPen pen(ChartStyle::seriesColour(int(m) + 1));
        pen.setWidthF(fit.method() == chosen ? 3.0 : 1.2);
        line->setPen(pen);
        for (int year = first; year <= finalYear; ++year) {
            const double population = double(fit.populationIn(year));
            // A curve that runs off to nothing real is drawn as far as it stays real.
            if (!std::isfinite(population))
                break;
            line->append(year, population);
            reach(population);
        }
        chart->addSeries(line);
    }
    auto *points = new QScatterSeries(chart);
    points->setName(QStringLiteral("Contagens"));
    points->setColor(Qt::black);
    points->setMarkerSize(8);
    for (const PopulationCount &count : counts) {
        points->append(count.year, double(count.population));
        reach(double(count.population));
    }
    chart->addSeries(points);

    // Years are written as years: never grouped like a number ("2.046").
    auto *years = new QValueAxis(chart);
    years->setLabelFormat(QStringLiteral("%d"));
    years->setRange(first, std::max(finalYear, first + 1));
    years->setTickType(QValueAxis::TicksDynamic);
    years->setTickAnchor(std::ceil(first / 10.0) * 10);
    years->setTickInterval(finalYear - first > 60 ? 20 : 10);
    years->setTitleText(QStringLiteral("Ano"));
    chart->addAxis(years, Qt::AlignBottom);
    QAbstractAxis *people = ChartAxes::addValueAxis(
        chart, any ? low : 0, any ? high : 1, tavi::AxisBase::Data, QStringLiteral("habitantes"));
    ChartAxes::attachAll(chart, years, people);

    auto *view = new QChartView(chart, parent);
    view->setAccessibleName(chart->title());
    view->setAccessibleDescription(
        QStringLiteral("A população de cada método no ano final está na tabela dos métodos"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
    chart->legend()->setAlignment(Qt::AlignRight);
    // Tall enough for the population's labels to stand apart on their axis.
    view->setMinimumHeight(320);
    return view;
}
