#include "export/SheetBookExport.h"

#include "export/ExportLayout.h"
#include "export/ExportProcedure.h"
#include "export/SpreadsheetApp.h"
#include "export/SpreadsheetCodes.h"

using tavi::BookChart;
using tavi::BookWorksheet;
using tavi::SheetBook;

namespace
{

constexpr int kWorkbook = 1;
// A sheet the application adds comes in front of the active one and becomes it: the book is
// written from its last sheet to its first, each in turn the first sheet, so that the
// application's fitting of the active sheet's columns fits each as it is written.
constexpr int kFront = 1;

void writeWorksheet(SpreadsheetApp &app, const BookWorksheet &sheet)
{
    if (!sheet.rows.isEmpty())
        for (int c = 0; c < sheet.rows.first().size(); ++c)
            app.setCellFontStyle(kWorkbook, kFront, 1, c + 1, SpreadsheetCodes::kBoldStyle);
    for (int r = 0; r < sheet.rows.size(); ++r)
        for (int c = 0; c < sheet.rows[r].size(); ++c)
            if (!sheet.rows[r][c].isEmpty())
                app.setCellText(kWorkbook, kFront, r + 1, c + 1, sheet.rows[r][c]);
    app.columnsAutoFit();
    app.setSheetName(kWorkbook, kFront, sheet.name);
}

void writeChart(SpreadsheetApp &app, const BookChart &chart)
{
    app.sheetsAdd(kWorkbook, 1, SpreadsheetCodes::kChartSheet);
    app.setSheetName(kWorkbook, kFront, chart.name);
    for (int s = 0; s < chart.ranges.size(); ++s) {
        // A chart sheet comes with its first series already there.
        const int series = s == 0 ? 1 : app.newSeries(chart.name);
        app.setSeriesValues(chart.name, series, app.sheetRange(chart.dataSheet, chart.ranges[s]));
        // A chart whose points are only numbered has no categories to give.
        if (!chart.categories.isEmpty())
            app.setSeriesXValues(chart.name, series,
                                 app.sheetRange(chart.dataSheet, chart.categories));
    }
    app.setChartType(chart.name, chart.chartType);
}

void writeBook(SpreadsheetApp &app, const SheetBook &book)
{
    for (auto sheet = book.worksheets.rbegin(); sheet != book.worksheets.rend(); ++sheet) {
        // The new workbook's own first sheet takes the last one.
        if (sheet != book.worksheets.rbegin())
            app.sheetsAdd(kWorkbook, 1, SpreadsheetCodes::kWorksheet);
        writeWorksheet(app, *sheet);
    }
    for (auto chart = book.charts.rbegin(); chart != book.charts.rend(); ++chart)
        writeChart(app, *chart);
}

} // namespace

void exportSheetBook(QWidget *window, const SheetBook &book, const QString &fileName,
                     SpreadsheetFactory &factory)
{
    ExportLayout layout;
    layout.fitColumns = false; // each sheet was fitted as it was written
    layout.fileName = fileName;
    layout.writeSheets = [&book](SpreadsheetApp &app) { writeBook(app, book); };
    runExport(window, factory, layout);
}
