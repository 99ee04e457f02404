#include "frame/ChartViews.h"

#include "frame/ChartStyle.h"

#include <QChart>
#include <QChartView>

namespace ChartViews
{

const QString kVolumeUnit = QStringLiteral("hm³/ano");

double hm3(long double cubicMetres)
{
    constexpr long double kCubicMetresPerHm3 = 1e6;
    return double(cubicMetres / kCubicMetresPerHm3);
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    ChartStyle::prepare(chart);
    chart->setTitle(title);
    return chart;
}

QChartView *view(QChart *chart, QWidget *parent, const QString &tables)
{
    auto *view = new QChartView(chart, parent);
    // A screen reader reads the figures from the tables; the chart says what it draws.
    view->setAccessibleName(chart->title());
    view->setAccessibleDescription(tables);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

} // namespace ChartViews
