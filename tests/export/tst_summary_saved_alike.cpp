// The summary's workbook is one: the summary window's "Salvar", saved from the workbook
// window, and `tavi calcular --saida` give the same file once read back with openpyxl, cell
// for cell, with the same bold headings, column widths and chart, for a whole summary and for
// one whose total is partial.
#include "XlsxReadBack.h"
#include "support/ProgramRun.h"
#include "support/SummaryStudies.h"

#include "core/study/StudyFile.h"
#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"
#include "core/workbook/XlsxWriter.h"
#include "export/SummaryExport.h"
#include "export/WorkbookSpreadsheet.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace tavi;

namespace
{

// The program's spreadsheet, whose workbook is kept when the export asks it to quit, as the
// workbook window keeps it for the user to save.
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

// "Salvar" as the summary window does it: its day table and its stored figures.
std::shared_ptr<Workbook> savedByTheWindow(const Study &study)
{
    const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);
    CellTable days(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true);
    CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
    fillSummaryTable(days, summary);
    fillFiguresTable(figures, summary, FiguresStyle::Stored);
    KeptWorkbook factory;
    QWidget window;
    exportSummary(&window, days, figures, factory);
    return factory.last;
}

} // namespace

class SummarySavedAlikeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void windowAndCommandLine_data()
    {
        QTest::addColumn<bool>("partial");
        QTest::addColumn<int>("status");
        QTest::newRow("every sector") << false << 0;
        QTest::newRow("agriculture fails") << true << 1;
    }
    void windowAndCommandLine()
    {
        QFETCH(bool, partial);
        QFETCH(int, status);
        const Study study =
            partial ? testing::agricultureFailingStudy() : testing::everySectorStudy();
        const QString studyPath = m_folder.filePath(QStringLiteral("estudo.tavi"));
        saveStudyFile(studyPath, study);

        const std::shared_ptr<Workbook> kept = savedByTheWindow(study);
        QVERIFY(kept);
        const QString fromWindow = m_folder.filePath(QStringLiteral("janela.xlsx"));
        saveXlsx(*kept, fromWindow);
        const QString fromCommand = m_folder.filePath(QStringLiteral("comando.xlsx"));
        const testing::ProgramRun run =
            testing::runProgram({"calcular", studyPath, "--saida", fromCommand});
        CHECK_STATUS(run, status);

        testing::ReadWorkbook window, command;
        READ_XLSX(fromWindow, window);
        READ_XLSX(fromCommand, command);
        QCOMPARE(command.sheetNames, window.sheetNames);
        QCOMPARE(command.chartSheetNames, window.chartSheetNames);
        QCOMPARE(command.chartXml, window.chartXml);
        QCOMPARE(command.sheets.keys(), window.sheets.keys());
        for (const QString &name : window.sheets.keys()) {
            const testing::ReadSheet &expected = window.sheets[name];
            const testing::ReadSheet &got = command.sheets[name];
            QCOMPARE(got.widths, expected.widths);
            QCOMPARE(got.cells.keys(), expected.cells.keys());
            for (auto cell = expected.cells.begin(); cell != expected.cells.end(); ++cell) {
                const testing::ReadCell &other = got.cells[cell.key()];
                const QString where = QStringLiteral("%1!R%2C%3")
                                          .arg(name)
                                          .arg(cell.key().first)
                                          .arg(cell.key().second);
                QVERIFY2(other.value == cell->value, qPrintable(where));
                QVERIFY2(other.bold == cell->bold, qPrintable(where));
            }
        }
        // Not two empty workbooks alike: the partial total is named as such.
        QCOMPARE(window.sheets[SummarySheets::kData].at(1, 5).value.toString(),
                 partial ? QStringLiteral("Total parcial (sem Agricultura) (m3/dia)")
                         : QStringLiteral("Total (m3/dia)"));
    }
};

QTEST_MAIN(SummarySavedAlikeTest)
#include "tst_summary_saved_alike.moc"
