#include "models/U_Mod_Agricultura/StationYearChart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

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

// The top of an axis: a whole number a little above the highest value, so that its labels
// are whole numbers and need no decimal separator of any locale.
qreal wholeTop(qreal highest)
{
    const qreal top = std::ceil(highest * 1.1);
    const qreal step = top <= 10 ? 1 : top <= 50 ? 5 : top <= 100 ? 10 : 50;
    return std::max(step * std::ceil(top / step), qreal(2));
}

void wholeNumberAxis(QValueAxis *axis, qreal top, const QString &title)
{
    axis->setRange(0, top);
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(top <= 10 ? 1 : top / 5);
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
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
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
    const qreal etoTop = wholeTop(highestEto);
    const qreal rainTop = wholeTop(highestRain);

    // The missing days first, so the lines are drawn over them; a day without ETo is drawn
    // over one without rainfall, so that a day missing both still shows as a station down.
    QLineSeries *missingRain =
        newSeries(c, QStringLiteral("Dias sem chuva"), kMissingRainColour, 2.5);
    QLineSeries *missing = newSeries(c, QStringLiteral("Dias sem ETo"), kMissingColour, 2.5);
    QLineSeries *rain = newSeries(c, QStringLiteral("Chuva (mm)"), kRainColour, 1.0);
    std::vector<QLineSeries *> eto;
    for (int d = 0; d < length; ++d) {
        const YearDay &day = days[static_cast<std::size_t>(d)];
        const qreal x = d + 1;
        if (!day.eto) {
            addStroke(missing, x, etoTop);
        } else {
            // A day after a gap begins a new stretch of the line.
            if (d == 0 || !days[static_cast<std::size_t>(d - 1)].eto)
                eto.push_back(newSeries(c, QStringLiteral("ETo (mm/dia)"), kEtoColour, 1.6));
            eto.back()->append(x, qreal(*day.eto));
        }
        if (!day.rainfall)
            addStroke(missingRain, x, rainTop);
        else if (*day.rainfall > 0)
            addStroke(rain, x, qreal(*day.rainfall));
    }

    auto *x = new QValueAxis;
    x->setRange(1, std::max(length, 2));
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTitleText(QStringLiteral("Dia do ano"));
    // A tick at every 30 days from day 1.
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(30);
    auto *etoAxis = new QValueAxis;
    wholeNumberAxis(etoAxis, etoTop, QStringLiteral("ETo (mm/dia)"));
    auto *rainAxis = new QValueAxis;
    wholeNumberAxis(rainAxis, rainTop, QStringLiteral("Chuva (mm)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(etoAxis, Qt::AlignLeft);
    c->addAxis(rainAxis, Qt::AlignRight);
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
