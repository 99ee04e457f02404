// "Salvar" of the water balance: every sheet and chart of the balance's book reaches the
// spreadsheet application, from the last sheet to the first; the program's own spreadsheet ends
// up with the command line's workbook; and a failure at any kind of call is told once, the
// half-made workbook abandoned, nothing handed over as saved.
#include "export/RecordingSpreadsheet.h"
#include "support/HorizonRuns.h"
#include "support/ReportBalanceStudy.h"
#include "support/WindowTesting.h"

#include "core/balance/BalanceWorkbook.h"
#include "export/BalanceExport.h"
#include "export/ExportProcedure.h"
#include "export/ExportPrompts.h"
#include "export/SpreadsheetCodes.h"
#include "export/WorkbookSpreadsheet.h"

#include <QtTest>

using namespace tavi;
using namespace tavi::balance;
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

struct Balanced {
    WaterBalance balance;
    std::vector<ScenarioBalance> scenarios;
};

// "with horizon", "plain", "typed flow" or "problem".
Balanced balanceOf(const QString &kind)
{
    const Study study = kind == QLatin1String("typed flow")
                            ? testing::balanceStudy(QStringLiteral("digitada"),
                                                    QStringLiteral("50"), QStringLiteral("4.2"))
                        : kind == QLatin1String("problem")
                            ? testing::balanceStudy(QStringLiteral("Q95"), QStringLiteral("120"))
                            : testing::balanceStudy();
    Balanced made;
    made.balance = balanceOfStudy(study);
    if (kind == QLatin1String("with horizon"))
        made.scenarios = horizonBalance({testing::handMadeRun(QStringLiteral("Base"), 0),
                                         testing::handMadeRun(QStringLiteral("Alto"), 2),
                                         testing::failedRun(QStringLiteral("Sem contagens"))},
                                        made.balance);
    return made;
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

void addKinds()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"with horizon", "plain", "typed flow", "problem"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

} // namespace

class BalanceExportTest : public QObject
{
    Q_OBJECT

    QWidget window;

private slots:
    void cleanup() { QCOMPARE(QApplication::overrideCursor(), nullptr); }

    // The book has something to show in each case, and charts where the series gives them.
    void theBooksAreNotEmpty()
    {
        const Balanced full = balanceOf(QStringLiteral("with horizon"));
        QVERIFY2(full.balance.computed(), qPrintable(full.balance.problem));
        const BalanceBook book = balanceBook(full.balance, full.scenarios);
        QVERIFY(book.worksheets.size() >= 4);
        QVERIFY(book.charts.size() >= 3);
        const Balanced problem = balanceOf(QStringLiteral("problem"));
        QVERIFY(!problem.balance.computed());
        QVERIFY(!balanceBook(problem.balance, {}).worksheets.empty());
    }

    // The workbook's own first sheet takes the last worksheet; each one added in front is
    // written, fitted while it is the active sheet, then named; the charts last, in front of
    // all; every cell under the busy cursor, and the workbook shown and handed over at the end.
    void callsFromTheLastSheetToTheFirst_data() { addKinds(); }
    void callsFromTheLastSheetToTheFirst()
    {
        QFETCH(QString, kind);
        const Balanced made = balanceOf(kind);
        const BalanceBook book = balanceBook(made.balance, made.scenarios);
        QVERIFY(!book.worksheets.empty());
        MessageRecorder recorder;
        RecordingSpreadsheet app;
        exportBalance(&window, made.balance, made.scenarios, app);
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(app.calls.mid(0, 2), (QStringList{"create Excel.Application", "workbooksAdd 1"}));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Balanço Hídrico.xlsx"));

        // The book's own order and contents are checked on the workbook below; here, how the
        // calls go: one chart sheet added per chart, the worksheets but the first added, and
        // each worksheet fitted after its cells, before it is named, its headings in bold.
        const QStringList added = app.callsOf(Op::SheetsAdd);
        QCOMPARE(added.filter(QString::number(SpreadsheetCodes::kChartSheet)).size(),
                 int(book.charts.size()));
        QCOMPARE(added.filter(QString::number(SpreadsheetCodes::kWorksheet)).size(),
                 int(book.worksheets.size()) - 1);
        QCOMPARE(app.callsOf(Op::AutoFit).size(), int(book.worksheets.size()));
        for (int i = 0; i < app.calls.size(); ++i)
            if (app.ops[i] == Op::AutoFit)
                QCOMPARE(app.ops[i + 1], Op::SheetName);
        QVERIFY(app.calls.contains(
            RecordingSpreadsheet::bold(1, book.worksheets.front().rows[0].size())));
        for (int i = 0; i < app.calls.size(); ++i)
            if (app.ops[i] == Op::CellText)
                QVERIFY(app.busyCursor[i]);
        QCOMPARE(app.calls.mid(app.calls.size() - 2), (QStringList{"visible true", "quit"}));
        QCOMPARE(app.appsAlive, 0);
    }

    // What the program's spreadsheet holds after "Salvar" is the command line's workbook,
    // cell for cell, width for width, chart for chart.
    void sameAsTheCommandLinesWorkbook_data() { addKinds(); }
    void sameAsTheCommandLinesWorkbook()
    {
        QFETCH(QString, kind);
        testing::LocaleScope comma(LocaleSettings::brazilian());
        const Balanced made = balanceOf(kind);
        KeptWorkbook factory;
        exportBalance(&window, made.balance, made.scenarios, factory);
        QVERIFY(factory.last);
        const Workbook &saved = *factory.last;
        const Workbook expected = balanceWorkbook(balanceBook(made.balance, made.scenarios));
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
                    QCOMPARE(bool(got.chart->series(s).categories),
                             bool(want.chart->series(s).categories));
                    if (want.chart->series(s).categories)
                        QVERIFY(*got.chart->series(s).categories ==
                                *want.chart->series(s).categories);
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

    // Whichever kind of call fails, the user is told once, the half-made workbook goes, and
    // the application is never shown nor asked to quit as if the workbook were there to save.
    void failureAtAnyKindOfCall_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("occurrence"); // of that operation, from 1
        QTest::newRow("a worksheet added") << int(Op::SheetsAdd) << 2;
        QTest::newRow("a heading in bold") << int(Op::FontStyle) << 3;
        QTest::newRow("a cell deep in a sheet") << int(Op::CellText) << 200;
        QTest::newRow("a sheet fitted") << int(Op::AutoFit) << 2;
        QTest::newRow("a sheet named") << int(Op::SheetName) << 3;
        QTest::newRow("a chart sheet added") << int(Op::SheetsAdd) << -1; // the last one
        QTest::newRow("a range of a sheet") << int(Op::SheetRange) << 2;
        QTest::newRow("a series' values") << int(Op::SeriesValues) << 1;
        QTest::newRow("a further series") << int(Op::NewSeries) << 1;
        QTest::newRow("a series' categories") << int(Op::SeriesXValues) << 2;
        QTest::newRow("a chart's type") << int(Op::ChartType) << 1;
    }
    void failureAtAnyKindOfCall()
    {
        QFETCH(int, operation);
        QFETCH(int, occurrence);
        const Balanced made = balanceOf(QStringLiteral("with horizon"));
        RecordingSpreadsheet dryRun;
        exportBalance(&window, made.balance, made.scenarios, dryRun);
        int failing = 0;
        for (int i = 0, seen = 0; i < int(dryRun.ops.size()); ++i)
            if (int(dryRun.ops[i]) == operation && (++seen == occurrence || occurrence < 0))
                failing = i + 1;
        QVERIFY(failing > 0);
        if (occurrence > 0)
            QCOMPARE(int(dryRun.ops[failing - 1]), operation);

        MessageRecorder recorder;
        RecordingSpreadsheet app;
        app.failAtCall = failing;
        exportBalance(&window, made.balance, made.scenarios, app);
        QCOMPARE(recorder.messages,
                 QStringList{QString::fromUtf8(ExportMessages::conversionFailed)});
        QCOMPARE(app.calls.size(), failing + 1);
        QCOMPARE(app.calls.last(), QStringLiteral("abandon"));
        QVERIFY(app.callsOf(Op::Visible).isEmpty());
        QVERIFY(app.callsOf(Op::Quit).isEmpty());
        QCOMPARE(app.appsAlive, 0);
    }
};

QTEST_MAIN(BalanceExportTest)
#include "tst_balance_export.moc"
