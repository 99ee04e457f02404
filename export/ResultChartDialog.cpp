#include "export/ResultChartDialog.h"

#include "frame/Activation.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "frame/Fonts.h"
#include "frame/ModuleWindow.h"
#include "frame/ResultsNotice.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <utility>

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

// The last point of the longest line.
int lastX(const tavi::ResultChart &chart)
{
    size_t points = 1;
    for (const tavi::ChartLine &line : chart.lines)
        points = std::max(points, line.values.size());
    return chart.firstX + static_cast<int>(points) - 1;
}

// The span of the numbers, to fit the value axis to; from zero when they come near it.
std::pair<double, double> valueSpan(const tavi::ResultChart &chart)
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
    return {low, high};
}

QChart *makeChart(const tavi::ResultChart &chart)
{
    auto *drawn = new QChart;
    ChartStyle::prepare(drawn);
    drawn->setTitle(chart.title);
    int n = 0;
    for (const tavi::ChartLine &line : chart.lines)
        addLine(drawn, line, chart.firstX, ChartStyle::seriesColour(n++));
    const auto [low, high] = valueSpan(chart);
    QCategoryAxis *x = ChartAxes::addCountAxis(drawn, chart.firstX, lastX(chart), chart.xTitle);
    QCategoryAxis *y =
        ChartAxes::addValueAxis(drawn, low, high, tavi::AxisBase::Data, chart.yTitle);
    ChartAxes::attachAll(drawn, x, y);
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
