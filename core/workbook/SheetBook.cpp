#include "core/workbook/SheetBook.h"

#include "core/workbook/WorkbookRange.h"

namespace tavi
{

Workbook sheetBookWorkbook(const SheetBook &book, const LocaleSettings &locale)
{
    Workbook workbook;
    for (std::size_t i = 0; i < book.worksheets.size(); ++i) {
        const BookWorksheet &source = book.worksheets[i];
        if (i > 0)
            workbook.addSheets(workbook.sheetCount() + 1, 1, Workbook::kWorksheetType);
        const int index = workbook.sheetCount();
        Worksheet &sheet = workbook.worksheet(index);
        for (int r = 0; r < source.rows.size(); ++r)
            for (int c = 0; c < source.rows[r].size(); ++c) {
                if (r == 0)
                    sheet.setBold(r + 1, c + 1, true);
                if (!source.rows[r][c].isEmpty())
                    sheet.setEntry(r + 1, c + 1, source.rows[r][c], locale);
            }
        sheet.autoFitColumns(locale);
        workbook.renameSheet(index, source.name);
    }
    if (!book.charts.empty())
        workbook.addSheets(1, int(book.charts.size()), Workbook::kChartType);
    for (std::size_t i = 0; i < book.charts.size(); ++i) {
        const BookChart &source = book.charts[i];
        const int index = int(i) + 1;
        workbook.renameSheet(index, source.name);
        WorkbookChart &chart = workbook.chart(index);
        for (int s = 0; s < source.ranges.size(); ++s) {
            const int series = s == 0 ? 1 : chart.addSeries();
            chart.setSeriesValues(series, parseRangeReference(source.dataSheet, source.ranges[s]));
            chart.setSeriesCategories(series,
                                      parseRangeReference(source.dataSheet, source.categories));
        }
        chart.setChartType(source.chartType);
    }
    return workbook;
}

} // namespace tavi
