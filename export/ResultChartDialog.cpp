#include "export/ResultChartDialog.h"

#include "export/ChartAxes.h"
#include "export/ChartColours.h"
#include "frame/Activation.h"
#include "frame/Fonts.h"
#include "frame/ModuleWindow.h"
#include "frame/ResultsNotice.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace
{

// One line as the chart draws it: a series for each run of numbers between gaps, all in the
// line's colour and under its name, the legend naming only the first. A number alone between
// two gaps shows as a dot.
void addLine(QChart *chart, const tavi::ChartLine &line, int firstX, const QColor &colour)
{
    QPen pen(colour);
    pen.setWidthF(2);
    QLineSeries *run = nullptr;
    bool first = true;
    auto startRun = [&] {
        run = new QLineSeries(chart);
        run->setName(line.name);
        run->setPen(pen);
        run->setMarkerSize(5);
    };
    auto endRun = [&] {
        if (!run)
            return;
        run->setPointsVisible(run->count() == 1);
        chart->addSeries(run);
        if (!first)
            for (QLegendMarker *marker : chart->legend()->markers(run))
                marker->setVisible(false);
        first = false;
        run = nullptr;
    };
    for (size_t i = 0; i < line.values.size(); ++i) {
        if (!line.values[i]) {
            endRun();
            continue;
        }
        if (!run)
            startRun();
        run->append(firstX + static_cast<double>(i), *line.values[i]);
    }
    endRun();
    // A line without a number still has its place in the legend.
    if (first) {
        startRun();
        endRun();
    }
}

// Ticks at round steps along the points: every point up to 20, then every 5th, then about
// every month of a year.
double pointStep(int points)
{
    if (points <= 20)
        return 1;
    if (points <= 60)
        return 5;
    if (points <= 400)
        return 30;
    return qCeil(points / 1000.0) * 100;
}

QValueAxis *pointAxis(const tavi::ResultChart &chart)
{
    size_t points = 1;
    for (const tavi::ChartLine &line : chart.lines)
        points = std::max(points, line.values.size());
    auto *axis = new QValueAxis;
    axis->setTitleText(chart.xTitle);
    const double last = chart.firstX + static_cast<double>(points) - 1;
    axis->setRange(chart.firstX, std::max(last, chart.firstX + 1.0));
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(pointStep(static_cast<int>(points)));
    axis->setMinorTickCount(0);
    return axis;
}

// A value axis fitted to the numbers, from zero when they come near it.
QValueAxis *valueAxis(QChart *drawn, const tavi::ResultChart &chart)
{
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const tavi::ChartLine &line : chart.lines)
        for (const std::optional<double> &v : line.values)
            if (v) {
                low = std::min(low, *v);
                high = std::max(high, *v);
            }
    if (low > high)
        low = high = 0;
    auto *axis = new QValueAxis;
    axis->setTitleText(chart.yTitle);
    ChartAxes::fit(drawn, axis, low, high, tavi::AxisBase::Data);
    return axis;
}

QChart *makeChart(const tavi::ResultChart &chart)
{
    auto *drawn = new QChart;
    drawn->setTitle(chart.title);
    drawn->setTitleFont(Fonts::verdana(13, true));
    drawn->setLocalizeNumbers(true);
    drawn->setLocale(ChartAxes::numberLocale());
    drawn->legend()->setAlignment(Qt::AlignBottom);
    drawn->legend()->show();
    int n = 0;
    for (const tavi::ChartLine &line : chart.lines)
        addLine(drawn, line, chart.firstX, ChartColours::series(n++));
    QValueAxis *x = pointAxis(chart);
    QValueAxis *y = valueAxis(drawn, chart);
    drawn->addAxis(x, Qt::AlignBottom);
    drawn->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : drawn->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return drawn;
}

} // namespace

ResultChartDialog::ResultChartDialog(const tavi::ResultChart &chart, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("F_Grafico"));
    setWindowTitle(chart.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Fonts::windowFont());
    m_view = new QChartView(makeChart(chart), this);
    m_view->setObjectName(QStringLiteral("cv_grafico"));
    m_view->setAccessibleName(chart.title);
    m_view->setAccessibleDescription(
        QStringLiteral("%1 por %2; os valores estão na grade da janela")
            .arg(chart.yTitle, chart.xTitle));
    m_view->setRenderHint(QPainter::Antialiasing);
    // The keys belong to the window: Enter and Escape close it from anywhere.
    m_view->setFocusPolicy(Qt::NoFocus);
    auto *close = new QPushButton(QStringLiteral("Fechar"), this);
    close->setObjectName(QStringLiteral("b_fechar"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(900, 620);
    close->setFocus();
}

namespace ResultChartBox
{

namespace
{
ChartPresenter &chartPresenter()
{
    static ChartPresenter presenter;
    return presenter;
}
} // namespace

QString notSimulatedNotice()
{
    return ResultsNotice::text(ResultsNotice::Purpose::Chart, false);
}

void show(ModuleWindow *window, const tavi::ResultChart &chart)
{
    if (!window->hasSimulated() || !chart.hasNumbers()) {
        // The notice gives the window its activation back itself.
        ResultsNotice::show(window, ResultsNotice::text(ResultsNotice::Purpose::Chart,
                                                        window->inputsChangedSinceRun()));
        return;
    }
    // Looked at from a cell or a field, and closed, the keys go back there.
    window->keepingFocus([&] {
        if (const ChartPresenter presenter = chartPresenter()) {
            presenter(window, chart);
        } else {
            ResultChartDialog dialog(chart, window);
            dialog.exec();
        }
        giveActivationBack(window);
    });
}

void setChartPresenter(ChartPresenter presenter)
{
    chartPresenter() = std::move(presenter);
}

void setNoticePresenter(ReplaceableBox::Presenter presenter)
{
    ResultsNotice::setPresenter(std::move(presenter));
}

} // namespace ResultChartBox
