#include "export/ResultChartDialog.h"

#include "core/LocaleSettings.h"
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

// Ten colours told apart at a glance; a chart has at most ten lines (the agriculture total
// and its nine classes).
const QColor kLineColours[] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
    QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
    QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
    QColor(0x17, 0xbe, 0xcf),
};

// A locale whose numbers carry the user's decimal separator and no grouping, as the grids
// write them. Qt's locales are looked through only for a separator other than "," and ".".
QLocale numberLocale()
{
    const QChar separator = tavi::LocaleSettings::current().decimalSeparator;
    QLocale chosen(QLocale::English, QLocale::UnitedStates);
    if (separator == QLatin1Char(','))
        chosen = QLocale(QLocale::Portuguese, QLocale::Brazil);
    else if (separator != QLatin1Char('.')) {
        const QList<QLocale> all = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        const auto found = std::find_if(all.begin(), all.end(), [separator](const QLocale &l) {
            return l.decimalPoint() == QString(separator) && l.zeroDigit() == QLatin1String("0");
        });
        if (found != all.end())
            chosen = *found;
    }
    chosen.setNumberOptions(QLocale::OmitGroupSeparator);
    return chosen;
}

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

// A value axis fitted to the numbers and rounded to nice steps, its labels with as many
// decimals as the step needs; huge or tiny values in scientific notation.
QValueAxis *valueAxis(const tavi::ResultChart &chart)
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
    // Demands start from nothing: a line of 1000 to 1010 must not look like one from 0 to 10.
    if (low > 0)
        low = 0;
    if (high < 0)
        high = 0;
    if (low == high) {
        const double margin = low == 0 ? 1 : qAbs(low) * 0.1;
        low -= margin;
        high += margin;
    }
    auto *axis = new QValueAxis;
    axis->setTitleText(chart.yTitle);
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    const double largest = qMax(qAbs(axis->min()), qAbs(axis->max()));
    const double step = (axis->max() - axis->min()) / qMax(1, axis->tickCount() - 1);
    if (largest >= 1e12 || (largest > 0 && largest < 1e-3) || step <= 0) {
        axis->setLabelFormat(QStringLiteral("%.3e"));
    } else {
        const int decimals = qBound(0, qCeil(-std::log10(step) - 1e-9), 10);
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    }
    return axis;
}

QChart *makeChart(const tavi::ResultChart &chart)
{
    auto *drawn = new QChart;
    drawn->setTitle(chart.title);
    drawn->setTitleFont(Fonts::verdana(13, true));
    drawn->setLocalizeNumbers(true);
    drawn->setLocale(numberLocale());
    drawn->legend()->setAlignment(Qt::AlignBottom);
    drawn->legend()->show();
    int n = 0;
    for (const tavi::ChartLine &line : chart.lines)
        addLine(drawn, line, chart.firstX, kLineColours[n++ % std::size(kLineColours)]);
    QValueAxis *x = pointAxis(chart);
    QValueAxis *y = valueAxis(chart);
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
    if (const ChartPresenter presenter = chartPresenter()) {
        presenter(window, chart);
    } else {
        ResultChartDialog dialog(chart, window);
        dialog.exec();
    }
    giveActivationBack(window);
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
