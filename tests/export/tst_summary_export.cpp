#include "XlsxReadBack.h"

#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/XlsxWriter.h"
#include "export/ChartSheetView.h"
#include "export/SummaryExport.h"
#include "export/WorkbookSpreadsheet.h"
#include "frame/ChartAxes.h"
#include "frame/ChartStyle.h"
#include "support/WindowTesting.h"

#include <QAreaSeries>
#include <QChartView>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

using namespace tavi;

namespace
{

// The program's workbook, kept when the export asks the application to quit.
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

// A study where every consuming sector has demand.
Study busyStudy()
{
    Study s = defaultStudy();
    s.windows["TF_Abast_Publico"].fields = {{"me_1", "1000"}, {"me_2", "0.2"}, {"me_3", "1200"},
                                            {"me_4", "0.1"},  {"me_5", "80"},  {"e_p_2", "2"},
                                            {"e_p_4", "1000"}};
    s.windows["TF_Mod_Pecuaria"].fields = {{"me_bovino", "50"}, {"e_qte_bovino", "300"}};
    for (StudyRow &day : s.windows["TF_Mod_Agricultura"].grids["SG_Serie"])
        day = {"5", "1"};
    return s;
}

// The workbook "Salvar" hands over for the summary, as the window fills its two tables.
std::shared_ptr<Workbook> exported(const MunicipalSummary &summary)
{
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

class SummaryExportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    // The days and figures land on "Resumo", the three sectors as stacked areas on a chart
    // sheet in front of it, and the saved file reads back with an independent reader.
    void summaryWorkbookAndItsFile()
    {
        testing::LocaleScope comma(LocaleSettings::brazilian());
        const MunicipalSummary summary = summarizeStudy(busyStudy(), SupplyScenario::Current);
        const std::shared_ptr<Workbook> kept = exported(summary);
        QVERIFY(kept);
        const Workbook &book = *kept;
        QCOMPARE(book.sheetCount(), 2);
        QCOMPARE(book.sheet(1).name, SummarySheets::kChart);
        QCOMPARE(book.sheet(2).name, SummarySheets::kData);
        const WorkbookChart &chart = book.chart(1);
        QCOMPARE(chart.chartType(), int(WorkbookChart::kAreaStacked));
        QCOMPARE(chart.seriesCount(), 3);
        QCOMPARE(seriesHeading(book, *chart.series(3).values),
                 QStringLiteral("Agricultura (m3/dia)"));
        const std::vector<double> livestock = rangeValues(book, *chart.series(2).values);
        QCOMPARE(int(livestock.size()), kSummaryDays);
        QCOMPARE(livestock[365], double(summary.sectors[LivestockSector].daily[365]));

        // The chart view of the workbook window stacks the bands.
        std::unique_ptr<QChartView> view(makeChartView(book, chart));
        const auto bands = view->chart()->series();
        QCOMPARE(bands.size(), 3);
        auto *top = qobject_cast<QAreaSeries *>(bands.at(2));
        QVERIFY(top && top->lowerSeries());
        QCOMPARE(top->upperSeries()->at(0).y(),
                 double(summary.sectors[0].daily[0] + summary.sectors[1].daily[0]) +
                     double(summary.sectors[2].daily[0]));
        // The bands stand on zero, however little the total varies, in the summary's colours.
        auto *y = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).value(0));
        QVERIFY(y);
        QCOMPARE(y->min(), 0.0);
        QVERIFY(!ChartAxes::labels(y).join(QString()).contains('e'));
        for (int s = 0; s < 3; ++s)
            QCOMPARE(qobject_cast<QAreaSeries *>(bands.at(s))->color(),
                     ChartStyle::seriesColour(s));

        const QString path = m_folder.filePath("resumo.xlsx");
        saveXlsx(book, path);
        testing::ReadWorkbook read;
        QString skip, error;
        if (!testing::readXlsx(path, &read, &skip, &error))
            QSKIP(qPrintable(skip));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(read.sheetNames, (QStringList{SummarySheets::kChart, SummarySheets::kData}));
        const testing::ReadSheet &sheet = read.sheets[SummarySheets::kData];
        QCOMPARE(sheet.at(1, 1).value.toString(), QStringLiteral("DIA"));
        QVERIFY(sheet.at(1, 5).bold);
        QCOMPARE(sheet.at(1, 5).value.toString(), QStringLiteral("Total (m3/dia)"));
        // Day 1 right under the headings, no empty row between.
        QCOMPARE(sheet.at(2, 5).value.toDouble(), double(summary.total[0]));
        QCOMPARE(sheet.at(367, 5).value.toDouble(), double(summary.total[365]));
        // The peak day's demand a number, its unit in the heading beside it.
        QCOMPARE(sheet.at(7, SummarySheets::kFiguresColumn).value.toString(),
                 QStringLiteral("Dia de maior demanda (m3/dia)"));
        QCOMPARE(sheet.at(7, SummarySheets::kFiguresColumn + 2).value.typeId(), QMetaType::Double);
        QCOMPARE(sheet.at(7, SummarySheets::kFiguresColumn + 2).value.toDouble(),
                 double(summary.peakTotal));
        QCOMPARE(sheet.at(2, SummarySheets::kFiguresColumn + 1).value.toDouble(),
                 double(summary.sectors[0].annual));
        QCOMPARE(sheet.at(1, SummarySheets::kFiguresColumn).value.toString(),
                 QStringLiteral("Setor"));
        QCOMPARE(sheet.at(5, SummarySheets::kFiguresColumn).value.toString(),
                 QStringLiteral("Total"));
        QCOMPARE(read.chartXml.size(), 1);
        const QString xml = read.chartXml.first();
        QVERIFY(xml.contains("<c:areaChart>"));
        QVERIFY(xml.contains("<c:grouping val=\"stacked\"/>"));
        QCOMPARE(xml.count("<c:ser>"), 3);
        QVERIFY(xml.contains("$B$2:$B$367"));
        QVERIFY(xml.contains("Abast. ATUAL (m3/dia)"));
    }

    // A total without a sector says so in the workbook's heading row and in the figures.
    void partialTotalIsSaidInTheWorkbook()
    {
        Study study = busyStudy();
        study.windows["TF_Mod_Agricultura"].grids["SG_Serie"][9][1] = QStringLiteral("chuva");
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);
        QVERIFY(summary.isPartial());
        const std::shared_ptr<Workbook> kept = exported(summary);
        QVERIFY(kept);
        const Worksheet &sheet = kept->worksheet(2);
        QCOMPARE(sheet.cell(1, 5)->text,
                 QStringLiteral("Total parcial (sem Agricultura) (m3/dia)"));
        QCOMPARE(sheet.cell(5, SummarySheets::kFiguresColumn)->text,
                 QStringLiteral("Total parcial (sem Agricultura)"));
    }
};

QTEST_MAIN(SummaryExportTest)
#include "tst_summary_export.moc"
