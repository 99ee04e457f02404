// The horizon's workbook: a sheet a scenario under a name any scenario can take, the totals and
// the differences, and two charts whose series point at the figures they claim to plot; every
// number kept as a number, to the last digit the general format writes.
#include "support/HorizonRuns.h"

#include "core/horizon/HorizonTables.h"
#include "core/horizon/HorizonWorkbook.h"
#include "core/horizon/HorizonYearColumns.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

bool closeTo(double read, long double expected)
{
    return std::fabs(read - double(expected)) <= 1e-13 * std::max(1.0, std::fabs(read));
}

double numberAt(const Workbook &book, const QString &sheet, int row, int column)
{
    const WorkbookCell *cell = book.worksheet(book.sheetIndex(sheet)).cell(row, column);
    return cell && cell->kind == WorkbookCell::Kind::Number ? cell->number : std::nan("");
}

std::vector<ScenarioRun> threeScenarios()
{
    return {testing::handMadeRun(QStringLiteral("Base"), 0),
            testing::handMadeRun(QStringLiteral("Tendencial"), 1),
            testing::handMadeRun(QStringLiteral("Meta 2033/2040"), 2)};
}

} // namespace

class HorizonWorkbookTest : public QObject
{
    Q_OBJECT

private slots:
    // Whatever the planner calls a scenario, its sheet takes the name, readable and apart from
    // the others; and every name is one a spreadsheet accepts.
    void scenarioSheetNames_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("plain") << "Tendencial" << QStringList() << "Cenário Tendencial";
        QTest::newRow("slashes and a colon")
            << "Meta 2033/2040: a\\b" << QStringList() << "Cenário Meta 2033-2040- a-b";
        QTest::newRow("brackets and wildcards")
            << "[Alto]* consumo?" << QStringList() << "Cenário (Alto) consumo";
        QTest::newRow("cut to 31") << "Crescimento acelerado da irrigação" << QStringList()
                                   << "Cenário Crescimento acelerado d";
        QTest::newRow("no apostrophe at the end")
            << "Plano d'água '" << QStringList() << "Cenário Plano d'água";
        QTest::newRow("alike once cut")
            << "Crescimento acelerado da pecuária" << QStringList{"Cenário Crescimento acelerado d"}
            << "Cenário Crescimento acelera (2)";
        QTest::newRow("alike but for case")
            << "base" << QStringList{"Cenário Base"} << "Cenário base (2)";
        QTest::newRow("blank") << "   " << QStringList() << "Cenário";
    }
    void scenarioSheetNames()
    {
        QFETCH(QString, scenario);
        QFETCH(QStringList, taken);
        QFETCH(QString, sheet);
        const QString name = HorizonSheets::scenarioSheetName(scenario, taken);
        QCOMPARE(name, sheet);
        QCOMPARE(Workbook().sheetNameProblem(1, name), QString());
        QCOMPARE(Workbook().sheetNameProblem(1, HorizonSheets::sectorsChartName(scenario)),
                 QString());
    }

    // The columns the charts and the report take are the ones the year table heads so.
    void yearColumnsAreWhereTheTableHeadsThem()
    {
        using namespace YearColumns;
        const QStringList headings = horizonYearHeaders(testing::handMadeRun("Base", 0));
        QCOMPARE(headings.size(), kCount);
        QCOMPARE(headings[kYear], QStringLiteral("Ano"));
        for (int s = 0; s <= kTotal; ++s) {
            const QString name = s == kTotal ? QStringLiteral("Total") : summarySectorName(s);
            QVERIFY2(headings[column(s, Annual)].startsWith(name), qPrintable(name));
            QVERIFY(headings[column(s, Annual)].endsWith(QStringLiteral("(m3/ano)")));
            QVERIFY(headings[column(s, AnnualHm3)].endsWith(QStringLiteral("(hm3/ano)")));
            QVERIFY(headings[column(s, MeanDaily)].contains(QStringLiteral("média")));
            QVERIFY(headings[column(s, PeakDaily)].contains(QStringLiteral("pico")));
        }
        QCOMPARE(headings[kTotalPopulation], QStringLiteral("População total"));
        QCOMPARE(headings[kServedPopulation], QStringLiteral("População atendida"));
        QVERIFY(headings[kDilutionMaximum].startsWith(QStringLiteral("Diluição")));
    }

    // Charts in front, then the totals, the differences and a sheet per scenario; the
    // figures stored as numbers in every one of them.
    void sheetsAndStoredFigures()
    {
        const std::vector<ScenarioRun> runs = threeScenarios();
        const Workbook book = horizonWorkbook(runs, 1);
        QStringList names;
        for (int i = 1; i <= book.sheetCount(); ++i)
            names << book.sheet(i).name;
        QCOMPARE(names,
                 (QStringList{"Setores (Tendencial)", "Total por Cenário", "Totais", "Diferenças",
                              "Cenário Base", "Cenário Tendencial", "Cenário Meta 2033-2040"}));
        QVERIFY(book.sheet(1).isChart() && book.sheet(2).isChart());

        using namespace YearColumns;
        const ScenarioRun &meta = runs[2];
        const QString sheet = QStringLiteral("Cenário Meta 2033-2040");
        const Worksheet &years = book.worksheet(book.sheetIndex(sheet));
        QVERIFY(years.cell(1, 1)->bold);
        QVERIFY(years.cell(1, kCount)->bold);
        QVERIFY(!years.cell(2, 1)->bold);
        QCOMPARE(years.lastRow(), 22);
        for (int y : {0, 7, 20}) {
            const int row = HorizonSheets::kFirstYearRow + y;
            QCOMPARE(numberAt(book, sheet, row, kYear + 1), double(2026 + y));
            for (int s = 0; s < kSummarySectors; ++s) {
                const DemandFigures &figures = meta.years[y].sectors[s];
                QVERIFY(closeTo(numberAt(book, sheet, row, column(s, Annual) + 1), figures.annual));
                QVERIFY(closeTo(numberAt(book, sheet, row, column(s, AnnualHm3) + 1),
                                figures.annual / 1e6L));
                QVERIFY(closeTo(numberAt(book, sheet, row, column(s, PeakDaily) + 1),
                                figures.peakDaily));
            }
            QVERIFY(closeTo(numberAt(book, sheet, row, column(kTotal, Annual) + 1),
                            meta.years[y].total.annual));
            // The totals sheet: each scenario's total in hm3/ano, by year.
            QCOMPARE(numberAt(book, HorizonSheets::kTotals, row, 1), double(2026 + y));
            for (int s = 0; s < 3; ++s)
                QVERIFY(closeTo(numberAt(book, HorizonSheets::kTotals, row, s + 2),
                                runs[s].years[y].total.annual / 1e6L));
        }
        // A figure with more digits than a double shows keeps all a double holds.
        QVERIFY(std::fmod(numberAt(book, sheet, 2, 2), 1.0) != 0);

        const Worksheet &differences = book.worksheet(book.sheetIndex(HorizonSheets::kDifferences));
        QCOMPARE(differences.cell(1, 1)->text, QStringLiteral("Cenário"));
        QCOMPARE(differences.lastRow(), 3);
        QCOMPARE(differences.cell(3, 1)->text, QStringLiteral("Meta 2033/2040"));
        QVERIFY(closeTo(differences.cell(3, 3)->number,
                        meta.years.back().total.annual - runs[0].years.back().total.annual));
    }

    // The chosen scenario's sectors as stacked areas of its hm3/ano columns, each series named
    // by its heading; every scenario's total as a line named by the scenario.
    void chartsPlotWhatTheyName()
    {
        const std::vector<ScenarioRun> runs = threeScenarios();
        const Workbook book = horizonWorkbook(runs, 1);
        const WorkbookChart &sectors = book.chart(1);
        QCOMPARE(sectors.chartType(), int(WorkbookChart::kAreaStacked));
        QCOMPARE(sectors.seriesCount(), kSummarySectors);
        for (int s = 0; s < kSummarySectors; ++s) {
            const CellRange &range = *sectors.series(s + 1).values;
            QCOMPARE(range.sheet, QStringLiteral("Cenário Tendencial"));
            QCOMPARE(seriesHeading(book, range), summarySectorName(s) + " (hm3/ano)");
            const std::vector<double> values = rangeValues(book, range);
            QCOMPARE(int(values.size()), 21);
            QVERIFY(closeTo(values[20], runs[1].years[20].sectors[s].annual / 1e6L));
            // The points named by their years, from the same sheet.
            const CellRange &years = *sectors.series(s + 1).categories;
            QCOMPARE(years.sheet, range.sheet);
            QCOMPARE(rangeValues(book, years).front(), 2026.0);
            QCOMPARE(rangeValues(book, years).back(), 2046.0);
        }
        const WorkbookChart &totals = book.chart(2);
        QCOMPARE(totals.chartType(), int(WorkbookChart::kLine));
        QCOMPARE(totals.seriesCount(), 3);
        for (int r = 0; r < 3; ++r) {
            const CellRange &range = *totals.series(r + 1).values;
            QVERIFY2(seriesHeading(book, range).startsWith(runs[r].name + ": Total"),
                     qPrintable(seriesHeading(book, range)));
            QVERIFY(closeTo(rangeValues(book, range)[0], runs[r].years[0].total.annual / 1e6L));
            QCOMPARE(rangeTexts(book, *totals.series(r + 1).categories).value(20),
                     QStringLiteral("2046"));
        }
    }

    // What could not be computed is left out of the charts; a scenario that could not be
    // computed keeps its sheet, which says why; with nothing to plot a chart is not there.
    void failuresLeftOutOfTheCharts_data()
    {
        QTest::addColumn<int>("failedSector"); // -1: none
        QTest::addColumn<bool>("chosenFails");
        QTest::addColumn<int>("sectorSeries"); // 0: no chart of sectors
        QTest::addColumn<int>("totalSeries");
        QTest::newRow("agriculture fails") << int(AgricultureSector) << false << 2 << 3;
        QTest::newRow("the chosen scenario fails") << -1 << true << 0 << 2;
    }
    void failuresLeftOutOfTheCharts()
    {
        QFETCH(int, failedSector);
        QFETCH(bool, chosenFails);
        QFETCH(int, sectorSeries);
        QFETCH(int, totalSeries);
        std::vector<ScenarioRun> runs = threeScenarios();
        if (failedSector >= 0)
            runs[1] = testing::withSectorFailed(runs[1], failedSector);
        if (chosenFails)
            runs[1] = testing::failedRun(QStringLiteral("Tendencial"));
        const HorizonBook plan = horizonBook(runs, 1);
        const Workbook book = horizonWorkbook(plan);
        QCOMPARE(int(plan.charts.size()), (sectorSeries > 0) + 1);
        if (sectorSeries > 0) {
            QCOMPARE(book.chart(1).seriesCount(), sectorSeries);
            for (int s = 1; s <= sectorSeries; ++s)
                QVERIFY(!seriesHeading(book, *book.chart(1).series(s).values)
                             .startsWith(summarySectorName(failedSector)));
        }
        const WorkbookChart &totals = book.chart(book.sheetIndex(HorizonSheets::kTotalsChart));
        QCOMPARE(totals.seriesCount(), totalSeries);
        const Worksheet &own = book.worksheet(book.sheetIndex("Cenário Tendencial"));
        if (chosenFails) {
            QCOMPARE(own.cell(1, 1)->text, runs[1].problem);
            QCOMPARE(own.cellCount(), 1);
        }
    }

    // Only the base: no differences to show, but the sheet is there with its headings.
    void baseAlone()
    {
        const Workbook book = horizonWorkbook({testing::handMadeRun(QStringLiteral("Base"), 0)}, 5);
        QCOMPARE(book.sheet(1).name, QStringLiteral("Setores (Base)"));
        const Worksheet &differences = book.worksheet(book.sheetIndex(HorizonSheets::kDifferences));
        QCOMPARE(differences.lastRow(), 1);
        QCOMPARE(differences.cell(1, 1)->text, QStringLiteral("Cenário"));
    }
};

QTEST_GUILESS_MAIN(HorizonWorkbookTest)
#include "tst_horizon_workbook.moc"
