#include "models/U_Mod_Agricultura/StationYearChart.h"

#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"

#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>

#include <algorithm>

using namespace tavi::eto;

namespace
{

const QColor kEtoColour(0x1F, 0x77, 0xB4);
const QColor kRainColour(0x2C, 0xA0, 0x2C);
const QColor kMissingColour(0xE0, 0x40, 0x40, 0x60);
const QColor kMissingRainColour(0xE0, 0x90, 0x20, 0x70);

// A series drawn as vertical strokes from 0 to each value: bars a day wide without a
// category axis of 366 entries.
void addStroke(QLineSeries *series, qreal x, qreal top)
{
    series->append(x, 0);
    series->append(x, top);
    series->append(x, 0);
}

QLineSeries *newSeries(QChart *chart, const QString &name, const QColor &colour, qreal width)
{
    auto *series = new QLineSeries(chart);
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(width);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

void attach(QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

StationYearChart::StationYearChart(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("ch_previa"));
    setAccessibleName(QStringLiteral("Gráfico da ETo e da chuva do ano"));
    setAccessibleDescription(QStringLiteral("ETo e chuva em mm por dia; os dias sem dados em "
                                            "vermelho; os valores estão na tabela ao lado"));
    setRenderHint(QPainter::Antialiasing);
    ChartStyle::prepare(chart());
}

void StationYearChart::clear()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
}

void StationYearChart::showYear(const std::vector<YearDay> &days, int length)
{
    clear();
    QChart *c = chart();
    length = std::min(length, int(days.size()));

    qreal highestEto = 1, highestRain = 1;
    for (int d = 0; d < length; ++d) {
        const YearDay &day = days[static_cast<std::size_t>(d)];
        highestEto = std::max(highestEto, qreal(day.eto.value_or(0)));
        highestRain = std::max(highestRain, qreal(day.rainfall.value_or(0)));
    }
    // The axes first: the stripes of missing days reach their tops.
    QCategoryAxis *x =
        ChartAxes::addCountAxis(c, 1, std::max(length, 2), QStringLiteral("Dia do ano"));
    QCategoryAxis *etoAxis = ChartAxes::addValueAxis(c, 0, highestEto, tavi::AxisBase::Zero,
                                                     QStringLiteral("ETo (mm/dia)"));
    QCategoryAxis *rainAxis = ChartAxes::addValueAxis(c, 0, highestRain, tavi::AxisBase::Zero,
                                                      QStringLiteral("Chuva (mm)"), Qt::AlignRight);
    // The ETo axis draws the grid; a second grid at the rainfall's steps would only clutter.
    rainAxis->setGridLineVisible(false);
    const qreal etoTop = etoAxis->max();
    const qreal rainTop = rainAxis->max();

    // The missing days first, so the lines are drawn over them; a day without ETo is drawn
    // over one without rainfall, so that a day missing both still shows as a station down.
    QLineSeries *missingRain =
        newSeries(c, QStringLiteral("Dias sem chuva"), kMissingRainColour, 2.5);
    QLineSeries *missing = newSeries(c, QStringLiteral("Dias sem ETo"), kMissingColour, 2.5);
    QLineSeries *rain = newSeries(c, QStringLiteral("Chuva (mm)"), kRainColour, 1.0);
    std::vector<QLineSeries *> eto;
    for (int d = 0; d < length; ++d) {
        const YearDay &day = days[static_cast<std::size_t>(d)];
        const qreal at = d + 1;
        if (!day.eto) {
            addStroke(missing, at, etoTop);
        } else {
            // A day after a gap begins a new stretch of the line.
            if (d == 0 || !days[static_cast<std::size_t>(d - 1)].eto)
                eto.push_back(newSeries(c, QStringLiteral("ETo (mm/dia)"), kEtoColour, 1.6));
            eto.back()->append(at, qreal(*day.eto));
        }
        if (!day.rainfall)
            addStroke(missingRain, at, rainTop);
        else if (*day.rainfall > 0)
            addStroke(rain, at, qreal(*day.rainfall));
    }

    attach(missing, x, etoAxis);
    attach(missingRain, x, rainAxis);
    attach(rain, x, rainAxis);
    for (QLineSeries *stretch : eto)
        attach(stretch, x, etoAxis);

    // One legend entry per kind of line; the ETo line has one series per stretch.
    for (std::size_t i = 1; i < eto.size(); ++i)
        for (QLegendMarker *marker : c->legend()->markers(eto[i]))
            marker->setVisible(false);
    for (QLineSeries *gaps : {missing, missingRain})
        if (gaps->count() == 0)
            for (QLegendMarker *marker : c->legend()->markers(gaps))
                marker->setVisible(false);
}
