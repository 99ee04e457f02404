// "Salvar" of the horizon: the calls the spreadsheet application gets, sheet by sheet from the
// last, each fitted while it is the active one; the workbook the program's own spreadsheet ends
// up with, the same as the command line's; and a failure at any kind of call handled as every
// export handles one.
#include "export/RecordingSpreadsheet.h"
#include "support/HorizonRuns.h"
#include "support/WindowTesting.h"

#include "core/horizon/HorizonWorkbook.h"
#include "export/ChartSheetView.h"
#include "export/ExportProcedure.h"
#include "export/ExportPrompts.h"
#include "export/HorizonExport.h"
#include "export/SpreadsheetCodes.h"
#include "export/WorkbookSpreadsheet.h"
#include "frame/ChartAxes.h"

#include <QChart>
#include <QChartView>
#include <QtTest>

using namespace tavi;
using namespace tavi::horizon;
using testing::RecordingSpreadsheet;
using Op = RecordingSpreadsheet::Operation;

namespace
{

class KeptWorkbook : public SpreadsheetFactory
{
public:
    std::shared_ptr<Workbook> last;

    std::unique_ptr<SpreadsheetApp> create(const QString &, QWidget *) override
    {
        return std::make_unique<Keeper>(*this);
    }

private:
    class Keeper : public WorkbookSpreadsheet
    {
    public:
        explicit Keeper(KeptWorkbook &owner) : m_owner(owner) {}

    protected:
        void quitting() override { m_owner.last = workbook(); }

    private:
        KeptWorkbook &m_owner;
    };
};

class MessageRecorder
{
public:
    MessageRecorder()
    {
        ExportPrompts::Hooks hooks;
        hooks.showError = [this](QWidget *, const QString &text) { messages << text; };
        ExportPrompts::setHooks(hooks);
    }
    ~MessageRecorder() { ExportPrompts::setHooks({}); }
    QStringList messages;
};

std::vector<ScenarioRun> scenarios()
{
    return {testing::handMadeRun(QStringLiteral("Base"), 0),
            testing::withSectorFailed(testing::handMadeRun(QStringLiteral("Tendencial"), 1),
                                      LivestockSector),
            testing::failedRun(QStringLiteral("Sem contagens"))};
}

QString cellText(const WorkbookCell *cell)
{
    if (!cell)
        return QStringLiteral("<none>");
    return QStringLiteral("%1|%2|%3|%4")
        .arg(int(cell->kind))
        .arg(cell->number, 0, 'g', 17)
        .arg(cell->text)
        .arg(cell->bold);
}

} // namespace

class HorizonExportTest : public QObject
{
    Q_OBJECT

    QWidget window;

private slots:
    void cleanup() { QCOMPARE(QApplication::overrideCursor(), nullptr); }

    // The workbook's own first sheet takes the last one; each sheet added in front is written,
    // fitted while it is the active sheet, then named; the charts last, in front of all.
    void callsFromTheLastSheetToTheFirst()
    {
        MessageRecorder recorder;
        RecordingSpreadsheet app;
        exportHorizon(&window, scenarios(), 1, app);
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(app.calls.mid(0, 2), (QStringList{"create Excel.Application", "workbooksAdd 1"}));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Horizonte de Planejamento.xlsx"));
        QCOMPARE(
            app.callsOf(Op::SheetName),
            (QStringList{"sheetName 1 1 Cenário Sem contagens", "sheetName 1 1 Cenário Tendencial",
                         "sheetName 1 1 Cenário Base", "sheetName 1 1 Diferenças",
                         "sheetName 1 1 Totais", "sheetName 1 1 Total por Cenário",
                         "sheetName 1 1 Setores (Tendencial)"}));
        const QString worksheet = QString::number(SpreadsheetCodes::kWorksheet);
        const QString chart = QString::number(SpreadsheetCodes::kChartSheet);
        QCOMPARE(app.callsOf(Op::SheetsAdd),
                 (QStringList{"sheetsAdd 1 1 " + worksheet, "sheetsAdd 1 1 " + worksheet,
                              "sheetsAdd 1 1 " + worksheet, "sheetsAdd 1 1 " + worksheet,
                              "sheetsAdd 1 1 " + chart, "sheetsAdd 1 1 " + chart}));
        // Each worksheet fitted after its cells, before it is named.
        QCOMPARE(app.callsOf(Op::AutoFit).size(), 5);
        for (int i = 0; i < app.calls.size(); ++i)
            if (app.ops[i] == Op::AutoFit)
                QCOMPARE(app.ops[i + 1], Op::SheetName);
        // The failed scenario's sheet says why, and nothing else.
        QCOMPARE(app.calls.mid(2, 3),
                 (QStringList{"bold A1", "cell A1 " + scenarios()[2].problem, "autoFit"}));
        QCOMPARE(app.callsOf(Op::ChartType), (QStringList{"chartType Total por Cenário 4",
                                                          "chartType Setores (Tendencial) 76"}));
        // Livestock failed in the chosen scenario: two bands, supply's and agriculture's.
        QCOMPARE(app.callsOf(Op::SeriesValues).filter("Setores"),
                 (QStringList{"seriesValues Setores (Tendencial) 1 "
                              "'Cenário Tendencial'!$C$2:$C$22",
                              "seriesValues Setores (Tendencial) 2 "
                              "'Cenário Tendencial'!$K$2:$K$22"}));
        QCOMPARE(app.callsOf(Op::SeriesValues).filter("Total por"),
                 (QStringList{"seriesValues Total por Cenário 1 Totais!$B$2:$B$22",
                              "seriesValues Total por Cenário 2 Totais!$C$2:$C$22"}));
        // Every series' points named by the years beside its values.
        QCOMPARE(app.callsOf(Op::SeriesXValues),
                 (QStringList{"seriesXValues Total por Cenário 1 Totais!$A$2:$A$22",
                              "seriesXValues Total por Cenário 2 Totais!$A$2:$A$22",
                              "seriesXValues Setores (Tendencial) 1 "
                              "'Cenário Tendencial'!$A$2:$A$22",
                              "seriesXValues Setores (Tendencial) 2 "
                              "'Cenário Tendencial'!$A$2:$A$22"}));
        // Every cell written under the busy cursor; the workbook shown after, then handed over.
        for (int i = 0; i < app.calls.size(); ++i)
            if (app.ops[i] == Op::CellText)
                QVERIFY(app.busyCursor[i]);
        QCOMPARE(app.calls.mid(app.calls.size() - 2), (QStringList{"visible true", "quit"}));
        QCOMPARE(app.appsAlive, 0);
    }

    // What the program's spreadsheet holds after "Salvar" is the command line's workbook,
    // cell for cell, width for width, chart for chart.
    void sameAsTheCommandLinesWorkbook_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::newRow("base chosen") << 0;
        QTest::newRow("a partial scenario chosen") << 1;
        QTest::newRow("a failed scenario chosen") << 2;
    }
    void sameAsTheCommandLinesWorkbook()
    {
        QFETCH(int, chosen);
        testing::LocaleScope comma(LocaleSettings::brazilian());
        const std::vector<ScenarioRun> runs = scenarios();
        KeptWorkbook factory;
        exportHorizon(&window, runs, chosen, factory);
        QVERIFY(factory.last);
        const Workbook &saved = *factory.last;
        const Workbook expected = horizonWorkbook(runs, chosen);
        QCOMPARE(saved.sheetCount(), expected.sheetCount());
        for (int i = 1; i <= expected.sheetCount(); ++i) {
            const Workbook::Sheet &want = expected.sheet(i);
            const Workbook::Sheet &got = saved.sheet(i);
            QCOMPARE(got.name, want.name);
            QCOMPARE(got.isChart(), want.isChart());
            if (want.isChart()) {
                QCOMPARE(got.chart->chartType(), want.chart->chartType());
                QCOMPARE(got.chart->seriesCount(), want.chart->seriesCount());
                for (int s = 1; s <= want.chart->seriesCount(); ++s) {
                    QVERIFY(*got.chart->series(s).values == *want.chart->series(s).values);
                    QVERIFY(*got.chart->series(s).categories == *want.chart->series(s).categories);
                }
                continue;
            }
            QCOMPARE(got.worksheet->cellCount(), want.worksheet->cellCount());
            QCOMPARE(got.worksheet->fittedWidths(), want.worksheet->fittedWidths());
            want.worksheet->forEachCell([&](int row, int column, const WorkbookCell &cell) {
                QCOMPARE(cellText(got.worksheet->cell(row, column)), cellText(&cell));
            });
        }
    }

    // The workbook window names the points of a horizon's chart by their years.
    void workbookWindowShowsTheYears()
    {
        KeptWorkbook factory;
        exportHorizon(&window, scenarios(), 0, factory);
        QVERIFY(factory.last);
        const Workbook &book = *factory.last;
        for (const QString &chart :
             {QStringLiteral("Setores (Base)"), HorizonSheets::kTotalsChart}) {
            std::unique_ptr<QChartView> view(
                makeChartView(book, book.chart(book.sheetIndex(chart))));
            QCOMPARE(ChartAxes::labels(view->chart()->axes(Qt::Horizontal).value(0)),
                     (QStringList{"2026", "2031", "2036", "2041", "2046"}));
        }
    }

    // Whichever kind of call fails, the user is told once and the half-made workbook goes.
    void failureAtAnyKindOfCall_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("occurrence"); // of that operation, from 1
        QTest::newRow("a worksheet added") << int(Op::SheetsAdd) << 2;
        QTest::newRow("a cell deep in a sheet") << int(Op::CellText) << 300;
        QTest::newRow("a sheet named") << int(Op::SheetName) << 4;
        QTest::newRow("a further series") << int(Op::NewSeries) << 1;
        QTest::newRow("the line chart") << int(Op::ChartType) << 1;
        QTest::newRow("a series' years") << int(Op::SeriesXValues) << 3;
    }
    void failureAtAnyKindOfCall()
    {
        QFETCH(int, operation);
        QFETCH(int, occurrence);
        RecordingSpreadsheet dryRun;
        exportHorizon(&window, scenarios(), 0, dryRun);
        int failing = 0;
        for (int i = 0, seen = 0; i < int(dryRun.ops.size()) && failing == 0; ++i)
            if (int(dryRun.ops[i]) == operation && ++seen == occurrence)
                failing = i + 1;
        QVERIFY(failing > 0);

        MessageRecorder recorder;
        RecordingSpreadsheet app;
        app.failAtCall = failing;
        exportHorizon(&window, scenarios(), 0, app);
        QCOMPARE(recorder.messages,
                 QStringList{QString::fromUtf8(ExportMessages::conversionFailed)});
        QCOMPARE(app.calls.size(), failing + 1);
        QCOMPARE(app.calls.last(), QStringLiteral("abandon"));
        QCOMPARE(app.appsAlive, 0);
    }
};

QTEST_MAIN(HorizonExportTest)
#include "tst_horizon_export.moc"
