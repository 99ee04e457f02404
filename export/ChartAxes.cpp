#include "export/ChartAxes.h"

#include "core/base/LocaleSettings.h"

#include <QChart>
#include <QGraphicsPathItem>
#include <QLocale>
#include <QPainterPath>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

namespace ChartAxes
{

namespace
{

const char *const kBreakMarkName = "marca_quebra_eixo";

// Two short slanted strokes across the axis line, with the plot's background between them,
// as a drawn scale shows that it skips a stretch.
QGraphicsPathItem *newBreakMark(QChart *chart)
{
    QPainterPath strokes;
    for (double dy : {-3.0, 3.0}) {
        strokes.moveTo(-7, dy + 3);
        strokes.lineTo(7, dy - 3);
    }
    auto *mark = new QGraphicsPathItem(strokes, chart);
    mark->setData(0, QString::fromLatin1(kBreakMarkName));
    mark->setPen(QPen(Qt::black, 1.5));
    mark->setZValue(10);
    auto *gap = new QGraphicsPolygonItem(
        QPolygonF({QPointF(-7, 6), QPointF(7, 0), QPointF(7, -6), QPointF(-7, 0)}), mark);
    gap->setBrush(chart->backgroundBrush().style() == Qt::NoBrush ? QBrush(Qt::white)
                                                                  : chart->backgroundBrush());
    gap->setPen(Qt::NoPen);
    gap->setFlag(QGraphicsItem::ItemStacksBehindParent);
    return mark;
}

} // namespace

QLocale numberLocale()
{
    const QChar separator = tavi::LocaleSettings::current().decimalSeparator;
    if (separator == QLatin1Char(','))
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    if (separator != QLatin1Char('.')) {
        const QList<QLocale> all = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        const auto found = std::find_if(all.begin(), all.end(), [separator](const QLocale &l) {
            return l.decimalPoint() == QString(separator) && l.zeroDigit() == QLatin1String("0");
        });
        if (found != all.end())
            return *found;
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

void fit(QChart *chart, QValueAxis *axis, double low, double high, tavi::AxisBase base)
{
    const tavi::AxisScale scale = tavi::valueAxisScale(low, high, base);
    axis->setRange(scale.min, scale.max);
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setTickCount(scale.tickCount);
    axis->setMinorTickCount(0);
    axis->setLabelFormat(scale.labelFormat);
    if (!scale.broken)
        return;
    QGraphicsPathItem *mark = newBreakMark(chart);
    const bool atBottom = scale.min > 0;
    const auto place = [chart, mark, atBottom] {
        const QRectF plot = chart->plotArea();
        mark->setPos(plot.left(), atBottom ? plot.bottom() - 8 : plot.top() + 8);
    };
    QObject::connect(chart, &QChart::plotAreaChanged, chart, place);
    place();
}

bool hasBreakMark(const QChart *chart)
{
    const QList<QGraphicsItem *> items = chart->childItems();
    return std::any_of(items.begin(), items.end(), [](const QGraphicsItem *item) {
        return item->data(0).toString() == QLatin1String(kBreakMarkName);
    });
}

} // namespace ChartAxes
