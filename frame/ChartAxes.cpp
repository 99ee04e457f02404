#include "frame/ChartAxes.h"

#include "frame/ChartStyle.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QPen>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ChartAxes
{

namespace
{

const char *const kBreakMarkName = "marca_quebra_eixo";
// Scientific labels take more places only where fewer would write two steps alike.
constexpr int kMostScientificDecimals = 15;

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

void addBreakMark(QChart *chart, bool atBottom, Qt::Alignment side)
{
    QGraphicsPathItem *mark = newBreakMark(chart);
    const auto place = [chart, mark, atBottom, side] {
        const QRectF plot = chart->plotArea();
        mark->setPos(side == Qt::AlignRight ? plot.right() : plot.left(),
                     atBottom ? plot.bottom() - 8 : plot.top() + 8);
    };
    QObject::connect(chart, &QChart::plotAreaChanged, chart, place);
    place();
}

// An axis whose labels stand at the values given, as written.
QCategoryAxis *labelledAxis(double min, double max, const std::vector<double> &values,
                            const QStringList &texts, const QString &title)
{
    auto *axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setRange(min, max);
    axis->setStartValue(min);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setMinorTickCount(0);
    for (std::size_t i = 0; i < values.size(); ++i)
        axis->append(texts[int(i)], values[i]);
    return axis;
}

// The labels of `values`: fixed with the scale's places, or scientific with as many places
// as tell the steps apart.
QStringList valueLabels(const std::vector<double> &values, const tavi::AxisScale &scale)
{
    QStringList texts;
    if (!scale.scientific) {
        for (double v : values)
            texts << ChartStyle::number(v, scale.decimals);
        return texts;
    }
    for (int decimals = 2;; ++decimals) {
        texts.clear();
        for (double v : values)
            texts << ChartStyle::scientificNumber(v, decimals);
        if (decimals == kMostScientificDecimals ||
            QSet<QString>(texts.begin(), texts.end()).size() == texts.size())
            return texts;
    }
}

// Half a year's label at the largest size a chart writes it, in the chart's pixels.
constexpr int kYearLabelOverhang = 18;

// A label on the last point stands on the plot's right edge, half of it beyond.
void makeRoomForTheLastLabel(QChart *chart)
{
    QMargins margins = chart->margins();
    margins.setRight(std::max(margins.right(), kYearLabelOverhang));
    chart->setMargins(margins);
}

double countStep(int count)
{
    if (count <= 20)
        return 1;
    if (count <= 60)
        return 5;
    if (count <= 400)
        return 30;
    return std::ceil(count / 1000.0) * 100;
}

} // namespace

QCategoryAxis *addCountAxis(QChart *chart, int first, int last, const QString &title)
{
    last = std::max(last, first + 1);
    const double step = countStep(last - first + 1);
    std::vector<double> values;
    QStringList texts;
    for (double v = std::ceil(first / step) * step; v <= last; v += step) {
        values.push_back(v);
        texts << ChartStyle::number(v, 0);
    }
    QCategoryAxis *axis = labelledAxis(first, last, values, texts, title);
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

QCategoryAxis *addCategoryAxis(QChart *chart, const QStringList &categories, const QString &title)
{
    const int points = int(categories.size());
    const int step = int(countStep(points));
    std::vector<double> values;
    QStringList texts;
    for (int i = 1; i <= points; i += step) {
        values.push_back(i);
        texts << categories[i - 1];
    }
    QCategoryAxis *axis = labelledAxis(1, std::max(points, 2), values, texts, title);
    chart->addAxis(axis, Qt::AlignBottom);
    makeRoomForTheLastLabel(chart);
    return axis;
}

QCategoryAxis *addYearAxis(QChart *chart, int first, int last, const QString &title)
{
    last = std::max(last, first + 1);
    // A window shows a chart some 300 pixels wide: six years written in full fit there.
    constexpr int kMostLabels = 6;
    int step = 1;
    for (int candidate : {1, 2, 5, 10, 20}) {
        step = candidate;
        if ((last - first) / step + 1 <= kMostLabels)
            break;
    }
    std::vector<double> values;
    for (int year = first; year <= last; year += step)
        values.push_back(year);
    // The final year is what a planner looks for; a label too near it makes way.
    if (values.back() != last) {
        if (values.size() > 1 && last - values.back() < 0.6 * step)
            values.pop_back();
        values.push_back(last);
    }
    QStringList texts;
    for (double year : values)
        texts << QString::number(int(year));
    QCategoryAxis *axis = labelledAxis(first, last, values, texts, title);
    chart->addAxis(axis, Qt::AlignBottom);
    makeRoomForTheLastLabel(chart);
    return axis;
}

QCategoryAxis *addValueAxis(QChart *chart, double low, double high, tavi::AxisBase base,
                            const QString &title, Qt::Alignment side)
{
    const tavi::AxisScale scale = tavi::valueAxisScale(low, high, base);
    std::vector<double> values;
    for (int i = 0; i < scale.tickCount; ++i) {
        const double v = scale.min + i * scale.step;
        // A sum of steps that should be zero is written "0", never "-0".
        values.push_back(std::fabs(v) < scale.step * 1e-9 ? 0.0 : v);
    }
    QCategoryAxis *axis =
        labelledAxis(scale.min, scale.max, values, valueLabels(values, scale), title);
    chart->addAxis(axis, side);
    if (scale.broken)
        addBreakMark(chart, scale.min > 0, side);
    return axis;
}

void attachAll(QChart *chart, QAbstractAxis *x, QAbstractAxis *y)
{
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

bool hasBreakMark(const QChart *chart)
{
    const QList<QGraphicsItem *> items = chart->childItems();
    return std::any_of(items.begin(), items.end(), [](const QGraphicsItem *item) {
        return item->data(0).toString() == QLatin1String(kBreakMarkName);
    });
}

QStringList labels(const QAbstractAxis *axis)
{
    // categoriesLabels() only reads, though Qt does not declare it const.
    auto *categories = qobject_cast<QCategoryAxis *>(const_cast<QAbstractAxis *>(axis));
    return categories ? categories->categoriesLabels() : QStringList();
}

} // namespace ChartAxes
