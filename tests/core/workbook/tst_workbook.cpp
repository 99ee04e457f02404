#include "core/workbook/TableSheetRows.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookError.h"
#include "core/workbook/WorkbookRange.h"

#include <QtTest>

using namespace tavi;

Q_DECLARE_METATYPE(tavi::LocaleSettings)

namespace
{
const LocaleSettings comma = LocaleSettings::brazilian();
const LocaleSettings point = LocaleSettings::decimalPoint();
} // namespace

class WorkbookTest : public QObject
{
    Q_OBJECT

private slots:
    // A cell takes an entry as a spreadsheet takes a typed one: a number where the whole
    // text reads as one under the regional settings, text otherwise.
    void entriesAreNumbersOrTexts_data()
    {
        QTest::addColumn<LocaleSettings>("locale");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("number");

        QTest::newRow("whole") << comma << "170" << true << 170.0;
        QTest::newRow("comma decimal") << comma << "0,4" << true << 0.4;
        QTest::newRow("point in a comma locale") << comma << "0.4" << false << 0.0;
        QTest::newRow("point decimal") << point << "0.4" << true << 0.4;
        QTest::newRow("comma in a point locale") << point << "0,4" << false << 0.0;
        QTest::newRow("typed with blanks") << comma << "   0,4 " << true << 0.4;
        QTest::newRow("day label") << comma << "01" << true << 1.0;
        QTest::newRow("negative exponent") << comma << "-2,5E-6" << true << -2.5e-6;
        QTest::newRow("grouped thousands") << comma << "1.234,5" << false << 0.0;
        QTest::newRow("beyond a double") << comma << "1E400" << false << 0.0;
        QTest::newRow("header") << comma << "   (m3/dia)" << false << 0.0;
        QTest::newRow("formula-looking") << comma << "=1+1" << false << 0.0;
        QTest::newRow("trailing letters") << comma << "12abc" << false << 0.0;
    }
    void entriesAreNumbersOrTexts()
    {
        QFETCH(LocaleSettings, locale);
        QFETCH(QString, entry);
        QFETCH(bool, isNumber);
        QFETCH(double, number);

        Worksheet sheet;
        sheet.setEntry(3, 2, entry, locale);
        const WorkbookCell *cell = sheet.cell(3, 2);
        QVERIFY(cell);
        if (isNumber) {
            QCOMPARE(cell->kind, WorkbookCell::Kind::Number);
            QCOMPARE(cell->number, number);
        } else {
            QCOMPARE(cell->kind, WorkbookCell::Kind::Text);
            QCOMPARE(cell->text, entry); // kept exactly, blanks included
        }
    }

    void emptyEntryClearsButKeepsBold()
    {
        Worksheet sheet;
        sheet.setEntry(1, 1, QStringLiteral("5"), comma);
        sheet.setEntry(1, 1, QString(), comma);
        QVERIFY(!sheet.cell(1, 1));

        sheet.setBold(2, 1, true);
        sheet.setEntry(2, 1, QStringLiteral("x"), comma);
        sheet.setEntry(2, 1, QString(), comma);
        QVERIFY(sheet.cell(2, 1));
        QCOMPARE(sheet.cell(2, 1)->kind, WorkbookCell::Kind::Empty);
        QVERIFY(sheet.cell(2, 1)->bold);

        // An empty entry where nothing was written leaves nothing behind.
        sheet.setEntry(9, 9, QString(), comma);
        QVERIFY(!sheet.cell(9, 9));
        QCOMPARE(sheet.lastRow(), 2);
    }

    void cellsOutsideTheSheetFail_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row 0") << 0 << 1;
        QTest::newRow("column 0") << 1 << 0;
        QTest::newRow("negative") << -3 << 2;
        QTest::newRow("below the last row") << kWorkbookMaxRows + 1 << 1;
        QTest::newRow("right of the last column") << 1 << kWorkbookMaxColumns + 1;
    }
    void cellsOutsideTheSheetFail()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        Worksheet sheet;
        QVERIFY_THROWS_EXCEPTION(WorkbookError, sheet.setEntry(row, column, "1", comma));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, sheet.setBold(row, column, true));
        QCOMPARE(sheet.cellCount(), 0);
    }

    void tooLongTextFails()
    {
        Worksheet sheet;
        sheet.setEntry(1, 1, QString(Worksheet::kMaxTextLength, QLatin1Char('a')), comma);
        QVERIFY_THROWS_EXCEPTION(
            WorkbookError,
            sheet.setEntry(1, 2, QString(Worksheet::kMaxTextLength + 1, QLatin1Char('a')), comma));
    }

    void cellsComeInRowOrder()
    {
        Worksheet sheet;
        sheet.setEntry(5, 1, "c", comma);
        sheet.setEntry(2, 70, "b", comma);
        sheet.setEntry(2, 3, "a", comma);
        QStringList order;
        sheet.forEachCell([&](int row, int column, const WorkbookCell &cell) {
            order << QStringLiteral("%1,%2=%3").arg(row).arg(column).arg(cell.text);
        });
        QCOMPARE(order, QStringList({"2,3=a", "2,70=b", "5,1=c"}));
        QCOMPARE(sheet.lastRow(), 5);
        QCOMPARE(sheet.lastColumn(), 70);
    }

    void fittedColumnsHoldTheirWidestText()
    {
        Worksheet sheet;
        sheet.setEntry(1, 1, QStringLiteral("Ponto de Lançamento"), comma);
        sheet.setBold(1, 1, true);
        sheet.setEntry(3, 1, QStringLiteral("1"), comma);
        sheet.setEntry(3, 2, QStringLiteral("123456,789"), comma);
        sheet.setEntry(4, 2, QStringLiteral("7"), comma);
        sheet.setBold(1, 3, true); // bold but empty: nothing to fit
        sheet.autoFitColumns(comma);

        QVERIFY(*sheet.fittedWidth(1) >= QStringLiteral("Ponto de Lançamento").size());
        // A number is as wide as it shows: "123456,789", ten characters.
        QVERIFY(*sheet.fittedWidth(2) >= 10);
        QVERIFY(*sheet.fittedWidth(2) < 13);
        QVERIFY(!sheet.fittedWidth(3));
        QCOMPARE(sheet.columnWidth(3), Worksheet::kStandardColumnWidth);

        // Bold and capitals take more room than the same count of digits.
        QVERIFY(textWidthInCharacters("GALINÁCEO", true) >
                textWidthInCharacters("123456789", false));

        // Fitting again after the texts shrank narrows the column.
        sheet.setEntry(1, 1, QStringLiteral("x"), comma);
        sheet.autoFitColumns(comma);
        QVERIFY(*sheet.fittedWidth(1) < 5);
    }

    void newWorkbookHasOneActiveWorksheet()
    {
        Workbook book;
        QCOMPARE(book.name(), QStringLiteral("Pasta1"));
        QCOMPARE(book.sheetCount(), 1);
        QCOMPARE(book.sheet(1).name, QStringLiteral("Plan1"));
        QVERIFY(!book.sheet(1).isChart());
        QCOMPARE(book.activeSheet(), 1);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.sheet(0));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.sheet(2));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.chart(1));
    }

    void chartSheetGoesInFrontOfTheActiveSheet()
    {
        Workbook book;
        book.worksheet(1).setEntry(3, 5, "2,5", comma);
        book.addSheets(book.activeSheet(), 1, Workbook::kChartType);
        QCOMPARE(book.sheetCount(), 2);
        QVERIFY(book.sheet(1).isChart());
        QCOMPARE(book.sheet(1).name, QStringLiteral("Gráf1"));
        QCOMPARE(book.sheet(2).name, QStringLiteral("Plan1"));
        QCOMPARE(book.activeSheet(), 1);
        // The data sheet moved but kept its cells.
        QCOMPARE(book.worksheet(2).cell(3, 5)->number, 2.5);
        // The new chart already holds a first series, with no values yet.
        QCOMPARE(book.chart(1).seriesCount(), 1);
        QVERIFY(!book.chart(1).series(1).values);
        // Fitting columns needs a worksheet active.
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.activeWorksheet());

        book.addSheets(3, 2, Workbook::kWorksheetType);
        QCOMPARE(book.sheet(3).name, QStringLiteral("Plan2"));
        QCOMPARE(book.sheet(4).name, QStringLiteral("Plan3"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.addSheets(1, 1, 3));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.addSheets(1, 0, Workbook::kChartType));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book.addSheets(9, 1, Workbook::kChartType));
        QCOMPARE(book.sheetCount(), 4);
    }

    void sheetNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("chart name") << QStringLiteral("Graf. Vazão Indisponível") << true;
        QTest::newRow("31 characters") << QString(31, QLatin1Char('x')) << true;
        QTest::newRow("32 characters") << QString(32, QLatin1Char('x')) << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("colon") << QStringLiteral("a:b") << false;
        QTest::newRow("bracket") << QStringLiteral("[a]") << false;
        QTest::newRow("star") << QStringLiteral("a*") << false;
        QTest::newRow("question") << QStringLiteral("a?") << false;
        QTest::newRow("leading quote") << QStringLiteral("'a") << false;
        QTest::newRow("inner quote") << QStringLiteral("d'água") << true;
        QTest::newRow("reserved") << QStringLiteral("history") << false;
        QTest::newRow("taken, other case") << QStringLiteral("plan2") << false;
        QTest::newRow("its own name") << QStringLiteral("PLAN1") << true;
    }
    void sheetNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        Workbook book;
        book.addSheets(2, 1, Workbook::kWorksheetType); // "Plan2"
        if (accepted) {
            book.renameSheet(1, name);
            QCOMPARE(book.sheet(1).name, name);
            QCOMPARE(book.sheetIndex(name.toUpper()), 1);
        } else {
            QVERIFY_THROWS_EXCEPTION(WorkbookError, book.renameSheet(1, name));
            QCOMPARE(book.sheet(1).name, QStringLiteral("Plan1"));
        }
    }

    void rangeReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("lastColumn");
        QTest::newRow("column E") << "E3:E52" << 3 << 5 << 52 << 5;
        QTest::newRow("absolute") << "$E$3:$E$52" << 3 << 5 << 52 << 5;
        QTest::newRow("lower case") << "e3:e52" << 3 << 5 << 52 << 5;
        QTest::newRow("one cell") << "BS368" << 368 << 71 << 368 << 71;
        QTest::newRow("reversed corners") << "C9:A1" << 1 << 1 << 9 << 3;
        QTest::newRow("last cell") << "XFD1048576" << 1048576 << 16384 << 1048576 << 16384;
        QTest::newRow("empty") << "" << 0 << 0 << 0 << 0;
        QTest::newRow("no row") << "E:E" << 0 << 0 << 0 << 0;
        QTest::newRow("row 0") << "E0" << 0 << 0 << 0 << 0;
        QTest::newRow("beyond the last column") << "XFE1" << 0 << 0 << 0 << 0;
        QTest::newRow("three corners") << "A1:B2:C3" << 0 << 0 << 0 << 0;
    }
    void rangeReferences()
    {
        QFETCH(QString, reference);
        QFETCH(int, firstRow);
        if (firstRow == 0) {
            QVERIFY_THROWS_EXCEPTION(WorkbookError, parseRangeReference("S", reference));
            return;
        }
        QFETCH(int, firstColumn);
        QFETCH(int, lastRow);
        QFETCH(int, lastColumn);
        const CellRange range = parseRangeReference(QStringLiteral("Resultados"), reference);
        QCOMPARE(range.sheet, QStringLiteral("Resultados"));
        QCOMPARE(range.firstRow, firstRow);
        QCOMPARE(range.firstColumn, firstColumn);
        QCOMPARE(range.lastRow, lastRow);
        QCOMPARE(range.lastColumn, lastColumn);
    }

    // A chart's column starts below the header for the region and balance sheets, lower for
    // the horizon's; the last row counts the first.
    void sheetColumnRanges_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QString>("range");
        QTest::newRow("first column, below the header") << 0 << 20 << 2 << "A2:A21";
        QTest::newRow("one row") << 1 << 1 << 2 << "B2:B2";
        QTest::newRow("beyond Z") << 26 << 12 << 2 << "AA2:AA13";
        QTest::newRow("lower first row") << 2 << 21 << 4 << "C4:C24";
    }
    void sheetColumnRanges()
    {
        QFETCH(int, column);
        QFETCH(int, count);
        QFETCH(int, firstRow);
        QFETCH(QString, range);
        QCOMPARE(sheetColumnRange(column, count, firstRow), range);
    }

    // Rows left empty by a table filled short are dropped unless kept; a row with any text
    // stays, an empty cell in it included.
    void tableRowsForASheet()
    {
        CellTable table(2, 4, 4, true);
        table.setCell(0, 0, QStringLiteral("Grupo"));
        table.setCell(1, 0, QStringLiteral("Total"));
        table.setCell(1, 2, QStringLiteral("12.5"));
        const QList<QStringList> kept = sheetRows(table, EmptyRows::Kept);
        QCOMPARE(kept.size(), 4);
        QCOMPARE(kept[1], QStringList({QString(), QString()}));
        const QList<QStringList> dropped = sheetRows(table);
        QCOMPARE(dropped,
                 QList<QStringList>({{"Grupo", "Total"}, {QString(), QStringLiteral("12.5")}}));
        const QList<QStringList> filled = filledSheetRows(0, 0, [](CellTable &one) {
            QCOMPARE(one.columns(), 1);
            one.setCell(0, 0, QStringLiteral("x"));
        });
        QCOMPARE(filled, QList<QStringList>({{"x"}}));
    }

    void referencesAsFormulasWriteThem()
    {
        QCOMPARE(columnLetters(1), QStringLiteral("A"));
        QCOMPARE(columnLetters(26), QStringLiteral("Z"));
        QCOMPARE(columnLetters(27), QStringLiteral("AA"));
        QCOMPARE(columnLetters(70), QStringLiteral("BR"));
        QCOMPARE(columnLetters(71), QStringLiteral("BS"));
        QCOMPARE(columnLetters(16384), QStringLiteral("XFD"));

        QCOMPARE(absoluteReference(parseRangeReference("Resultados", "E3:E52")),
                 QStringLiteral("Resultados!$E$3:$E$52"));
        QCOMPARE(absoluteReference(parseRangeReference("Graf. Vazão", "B2")),
                 QStringLiteral("'Graf. Vazão'!$B$2"));
        QCOMPARE(formulaSheetName("d'água"), QStringLiteral("'d''água'"));
        // Names a formula would take for a cell address are quoted.
        QCOMPARE(formulaSheetName("AB12"), QStringLiteral("'AB12'"));
        QCOMPARE(formulaSheetName("R1C1"), QStringLiteral("'R1C1'"));
        QCOMPARE(formulaSheetName("Plan1"), QStringLiteral("Plan1"));
        QCOMPARE(formulaSheetName("Dados"), QStringLiteral("Dados"));
    }

    void chartSeriesAndType()
    {
        WorkbookChart chart;
        QCOMPARE(chart.chartType(), WorkbookChart::kLine);
        chart.setChartType(63);
        QVERIFY(chart.isStacked());
        QVERIFY_THROWS_EXCEPTION(WorkbookError, chart.setChartType(51));
        QCOMPARE(chart.chartType(), 63);

        const CellRange column = parseRangeReference("Resultados", "E3:E52");
        chart.setSeriesValues(1, column);
        QCOMPARE(*chart.series(1).values, column);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, chart.setSeriesValues(2, column));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, chart.series(0));
        QVERIFY_THROWS_EXCEPTION(WorkbookError,
                                 chart.setSeriesValues(1, parseRangeReference("R", "A1:B2")));
        QCOMPARE(*chart.series(1).values, column);
    }

    void rangeValuesReadNumbersAndZeroForTheRest()
    {
        Workbook book;
        Worksheet &sheet = book.worksheet(1);
        sheet.setEntry(3, 5, "1,5", comma);
        sheet.setEntry(4, 5, "texto", comma);
        sheet.setEntry(6, 5, "-2", comma);
        const std::vector<double> values = rangeValues(book, parseRangeReference("Plan1", "E3:E6"));
        QCOMPARE(values, std::vector<double>({1.5, 0.0, 0.0, -2.0}));
        QVERIFY(rangeValues(book, parseRangeReference("Nenhuma", "E3:E6")).empty());
    }
};

QTEST_GUILESS_MAIN(WorkbookTest)
#include "tst_workbook.moc"
