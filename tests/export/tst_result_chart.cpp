#include "core/tables/CellTable.h"
#include "export/ResultChart.h"
#include "export/ResultChartDialog.h"
#include "frame/ChartAxes.h"
#include "frame/ModuleWindow.h"
#include "support/WindowTesting.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QToolButton>
#include <QValueAxis>

#include <cmath>

using namespace testing;
using tavi::LocaleSettings;

using Values = QList<double>; // NaN: a gap

namespace
{

QList<double> valuesOf(const tavi::ChartLine &line)
{
    QList<double> values;
    for (const std::optional<double> &v : line.values)
        values << (v ? *v : std::nan(""));
    return values;
}

bool sameValues(const QList<double> &a, const QList<double> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return false;
    return true;
}

tavi::ResultChart chartOf(std::vector<tavi::ChartLine> lines, int firstX = 1)
{
    tavi::ResultChart chart;
    chart.caption = QStringLiteral("Gráfico - Teste");
    chart.title = QStringLiteral("Teste");
    chart.xTitle = QStringLiteral("Dia");
    chart.yTitle = QStringLiteral("Demanda (m³/dia)");
    chart.firstX = firstX;
    chart.lines = std::move(lines);
    return chart;
}

QList<QLineSeries *> runsNamed(QChart *chart, const QString &name)
{
    QList<QLineSeries *> runs;
    for (QAbstractSeries *s : chart->series())
        if (auto *line = qobject_cast<QLineSeries *>(s); line && line->name() == name)
            runs << line;
    return runs;
}

// A module window that has or has not been run, counting its activations.
class RunWindow : public ModuleWindow
{
public:
    RunWindow() { addButtons(this, QPoint(0, 0), QPoint(80, 0), QPoint(160, 0)); }
    void FormActivate() override { ++activations; }
    int activations = 0;
};

} // namespace

class ResultChartTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        ResultChartBox::setChartPresenter({});
        ResultChartBox::setNoticePresenter({});
    }

    // Every cell read with the models' rule, in the user's separator; whatever does not
    // read is a gap, never a zero.
    void cellsBecomeValuesOrGaps_data()
    {
        const double gap = std::nan("");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<Values>("expected");
        QTest::newRow("comma") << "comma"
                               << QStringList{"1,5", "0", "-2", " 7 ", "1E-5", "12345678,9"}
                               << Values{1.5, 0, -2, 7, 1e-5, 12345678.9};
        QTest::newRow("point") << "point" << QStringList{"1.5", "2,5", "3"} << Values{1.5, gap, 3};
        QTest::newRow("arabic") << "arabic"
                                << QStringList{QStringLiteral("1\u066B25"), "1,25", "1.25"}
                                << Values{1.25, gap, gap};
        QTest::newRow("not numbers")
            << "comma" << QStringList{"", "abc", "1.5", "1,5,2", "-", "E5", "2"}
            << Values{gap, gap, gap, gap, gap, gap, 2};
        // Readable as an extended number, but beyond what an axis can hold.
        QTest::newRow("beyond a double")
            << "comma" << QStringList{"1E400", "-1E400", "1E300"} << Values{gap, gap, 1e300};
    }
    void cellsBecomeValuesOrGaps()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, cells);
        QFETCH(Values, expected);
        LocaleSettings::setCurrent(settingsNamed(locale));
        // The column read sits between others, below a header row, and stops where asked.
        tavi::CellTable table(3, cells.size() + 3, cells.size() + 3, true);
        table.setCell(1, 0, QStringLiteral("HEADER"));
        for (int i = 0; i < cells.size(); ++i) {
            table.setCell(0, i + 1, QStringLiteral("9"));
            table.setCell(1, i + 1, cells[i]);
        }
        table.setCell(1, cells.size() + 1, QStringLiteral("99"));
        const tavi::ChartLine line =
            tavi::columnLine(table, 1, 1, cells.size(), QStringLiteral("Linha"));
        QCOMPARE(line.name, QStringLiteral("Linha"));
        QVERIFY2(sameValues(valuesOf(line), expected),
                 qPrintable(QStringLiteral("%1").arg(valuesOf(line).size())));
    }

    void aChartOfGapsAloneHasNoNumbers()
    {
        QVERIFY(!chartOf({}).hasNumbers());
        QVERIFY(!chartOf({{"A", {std::nullopt, std::nullopt}}, {"B", {}}}).hasNumbers());
        QVERIFY(chartOf({{"A", {std::nullopt}}, {"B", {std::nullopt, 0.0}}}).hasNumbers());
    }

    // A line is drawn as runs between its gaps, all in one colour and under its name, with
    // a single legend entry; a lone number shows as a dot; a line of gaps only keeps its
    // legend entry.
    void gapsSplitALineIntoRunsUnderOneLegendEntry()
    {
        const std::optional<double> gap;
        ResultChartDialog dialog(chartOf(
            {{"A", {1.0, 2.0, gap, 4.0, gap, gap, 7.0, 8.0}}, {"B", {gap, gap}}, {"C", {5.0, 5.0}}},
            10));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QChart *chart = dialog.chartView()->chart();
        const QList<QLineSeries *> a = runsNamed(chart, QStringLiteral("A"));
        QCOMPARE(a.size(), 3);
        QCOMPARE(a[0]->points(), (QList<QPointF>{{10, 1}, {11, 2}}));
        QCOMPARE(a[1]->points(), (QList<QPointF>{{13, 4}}));
        QCOMPARE(a[2]->points(), (QList<QPointF>{{16, 7}, {17, 8}}));
        QVERIFY(a[1]->pointsVisible());
        QVERIFY(!a[0]->pointsVisible());
        for (QLineSeries *run : a)
            QCOMPARE(run->pen().color(), a[0]->pen().color());
        QVERIFY(runsNamed(chart, QStringLiteral("C"))[0]->pen().color() != a[0]->pen().color());
        const QList<QLineSeries *> b = runsNamed(chart, QStringLiteral("B"));
        QCOMPARE(b.size(), 1);
        QCOMPARE(b[0]->count(), 0);
        QStringList legend;
        for (QLegendMarker *marker : chart->legend()->markers())
            if (marker->isVisible())
                legend << marker->label();
        QCOMPARE(legend, (QStringList{"A", "B", "C"}));
    }

    // The axes carry their titles; values written with the user's separators and grouped;
    // the value axis holds every number, starts from zero when the numbers come near it, and
    // is fitted with a break mark when they keep far from it, so a curve that varies in its
    // high digits does not draw flat. One notation for every label.
    void axesAndTheirLabels_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Values>("values");
        QTest::addColumn<QStringList>("labels"); // of the value axis
        QTest::addColumn<bool>("fromZero");
        QTest::newRow("comma") << "comma" << Values{1000.5, 2500.25, 1800}
                               << QStringList{"0", "1.000", "2.000", "3.000"} << true;
        QTest::newRow("point") << "point" << Values{1000.5, 2500.25, 1800}
                               << QStringList{"0", "1,000", "2,000", "3,000"} << true;
        QTest::newRow("arabic") << "arabic" << Values{0.5, 1.2, 2.2}
                                << QStringList{"0\u066B0", "0\u066B5", "1\u066B0",
                                               "1\u066B5", "2\u066B0", "2\u066B5"}
                                << true;
        QTest::newRow("negative") << "comma" << Values{-3, 2}
                                  << QStringList{"-3", "-2", "-1", "0", "1", "2"} << true;
        QTest::newRow("dilution in its high digits")
            << "comma" << Values{1000.21, 1004.5, 1010.73}
            << QStringList{"1.000,0", "1.002,5", "1.005,0", "1.007,5", "1.010,0", "1.012,5"}
            << false;
        QTest::newRow("millions beside thousands")
            << "comma" << Values{0, 500000, 1500000}
            << QStringList{"0", "500.000", "1.000.000", "1.500.000"} << true;
        QTest::newRow("beyond fixed notation")
            << "comma" << Values{0, 2e16}
            << QStringList{"0,00e+00", "5,00e+15", "1,00e+16", "1,50e+16", "2,00e+16"} << true;
    }
    void axesAndTheirLabels()
    {
        QFETCH(QString, locale);
        QFETCH(Values, values);
        QFETCH(QStringList, labels);
        QFETCH(bool, fromZero);
        LocaleSettings::setCurrent(settingsNamed(locale));
        tavi::ChartLine line{"A", {}};
        for (double v : values)
            line.values.push_back(v);
        ResultChartDialog dialog(chartOf({line}));
        QChart *chart = dialog.chartView()->chart();
        auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
        auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
        QVERIFY(x && y);
        QCOMPARE(x->titleText(), QStringLiteral("Dia"));
        QCOMPARE(y->titleText(), QStringLiteral("Demanda (m³/dia)"));
        QCOMPARE(x->min(), 1.0);
        QCOMPARE(x->max(), double(values.size()));
        const double low = *std::min_element(values.begin(), values.end());
        const double high = *std::max_element(values.begin(), values.end());
        QVERIFY(y->min() <= low);
        QVERIFY(y->max() >= high);
        QCOMPARE(y->min() <= 0, fromZero);
        QCOMPARE(ChartAxes::hasBreakMark(chart), !fromZero);
        if (!fromZero) // the data fill most of the axis
            QVERIFY(high - low > 0.5 * (y->max() - y->min()));
        QCOMPARE(ChartAxes::labels(y), labels);
    }

    // The points are labelled at round steps: each of a few, every 5th of some tens, about
    // every month of a year's days.
    void pointsAtRoundSteps_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("a few") << 4 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("tens") << 32 << QStringList{"5", "10", "15", "20", "25", "30"};
        QTest::newRow("a year") << 366 << QStringList{"30",  "60",  "90",  "120", "150", "180",
                                                      "210", "240", "270", "300", "330", "360"};
        QTest::newRow("thousands")
            << 1200 << QStringList{"200", "400", "600", "800", "1.000", "1.200"};
    }
    void pointsAtRoundSteps()
    {
        QFETCH(int, points);
        QFETCH(QStringList, labels);
        tavi::ChartLine line{"A", std::vector<std::optional<double>>(size_t(points), 1.0)};
        ResultChartDialog dialog(chartOf({line}));
        QCOMPARE(ChartAxes::labels(dialog.chartView()->chart()->axes(Qt::Horizontal).value(0)),
                 labels);
    }

    void escapeEnterAndFecharClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Fechar") << "Fechar";
    }
    void escapeEnterAndFecharClose()
    {
        QFETCH(QString, how);
        ResultChartDialog dialog(chartOf({{"A", {1.0, 2.0}}}));
        QCOMPARE(dialog.objectName(), QStringLiteral("F_Grafico"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Gráfico - Teste"));
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (how == QLatin1String("Escape"))
            QTest::keyClick(focus, Qt::Key_Escape);
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(focus, Qt::Key_Return);
        else
            dialog.findChild<QPushButton *>(QStringLiteral("b_fechar"))->click();
        QVERIFY(!dialog.isVisible());
    }

    // Before a run (or with nothing to draw) the notice, else the chart; either way the window
    // gets its activation back.
    void theNoticeOrTheChartThenActivationBack_data()
    {
        QTest::addColumn<bool>("simulated");
        QTest::addColumn<bool>("numbers");
        QTest::addColumn<bool>("chart");
        QTest::newRow("not run") << false << true << false;
        QTest::newRow("run, nothing to draw") << true << false << false;
        QTest::newRow("run") << true << true << true;
    }
    void theNoticeOrTheChartThenActivationBack()
    {
        QFETCH(bool, simulated);
        QFETCH(bool, numbers);
        QFETCH(bool, chart);
        RunWindow window;
        QVERIFY(showActive(&window));
        if (simulated)
            window.simularButton()->click();
        QStringList notices;
        QStringList charts;
        auto cover = [&window] {
            QDialog box(&window);
            QVERIFY(showActive(&box));
            box.close();
        };
        ResultChartBox::setNoticePresenter([&](QWidget *parent, const QString &text) {
            QCOMPARE(parent, &window);
            notices << text;
            cover();
        });
        ResultChartBox::setChartPresenter([&](QWidget *, const tavi::ResultChart &shown) {
            charts << shown.caption;
            cover();
        });
        const std::optional<double> value =
            numbers ? std::optional<double>(3.0) : std::optional<double>();
        ResultChartBox::show(&window, chartOf({{"A", {value}}}));
        QCOMPARE(charts.size(), chart ? 1 : 0);
        QCOMPARE(notices, chart ? QStringList()
                                : QStringList{QStringLiteral(
                                      "Pressione \"Simular\" antes de ver o gráfico.")});
        QCOMPARE(window.activations, 2);
        QCOMPARE(QApplication::activeWindow(), &window);
    }
};

QTEST_MAIN(ResultChartTest)
#include "tst_result_chart.moc"
