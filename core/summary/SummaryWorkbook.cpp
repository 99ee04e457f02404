#include "core/summary/SummaryWorkbook.h"

#include "core/tables/CellTable.h"
#include "core/workbook/WorkbookRange.h"

namespace tavi
{

QString SummarySheets::heading(const QString &tableHeading, int column)
{
    // The day column is a count, not a demand.
    return column == 0 ? tableHeading : tableHeading + QStringLiteral(" (m3/dia)");
}

QStringList SummarySheets::chartRanges()
{
    const QString lastRow = QString::number(kFirstDayRow + kSummaryDays - 1);
    QStringList ranges;
    for (const char *column : {"B", "C", "D"})
        ranges << QStringLiteral("%1%2:%1%3")
                      .arg(QLatin1String(column))
                      .arg(kFirstDayRow)
                      .arg(lastRow);
    return ranges;
}

Workbook summaryWorkbook(const CellTable &days, const CellTable &figures,
                         const LocaleSettings &locale)
{
    using namespace SummarySheets;
    Workbook book;
    Worksheet &sheet = book.activeWorksheet();
    for (int c = 0; c < figures.columns(); ++c)
        for (int r = 0; r < figures.storedRows(); ++r)
            sheet.setEntry(r + 1, kFiguresColumn + c, figures.cell(c, r), locale);
    for (int c = 0; c < days.columns(); ++c) {
        sheet.setBold(kHeadingRow, c + 1, true);
        sheet.setEntry(kHeadingRow, c + 1, heading(days.cell(c, 0), c), locale);
    }
    for (int day = 1; day < days.storedRows(); ++day)
        for (int c = 0; c < days.columns(); ++c)
            sheet.setEntry(kFirstDayRow + day - 1, c + 1, days.cell(c, day), locale);
    sheet.autoFitColumns(locale);

    book.addSheets(book.activeSheet(), 1, Workbook::kChartType);
    book.renameSheet(1, kChart);
    book.renameSheet(2, kData);
    WorkbookChart &chart = book.chart(1);
    const QStringList ranges = chartRanges();
    for (int s = 0; s < ranges.size(); ++s) {
        const int series = s == 0 ? 1 : chart.addSeries();
        chart.setSeriesValues(series, parseRangeReference(kData, ranges[s]));
    }
    chart.setChartType(WorkbookChart::kAreaStacked);
    return book;
}

Workbook summaryWorkbook(const MunicipalSummary &summary, const LocaleSettings &locale)
{
    CellTable days(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true);
    CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
    fillSummaryTable(days, summary);
    fillFiguresTable(figures, summary, FiguresStyle::Stored);
    return summaryWorkbook(days, figures, locale);
}

} // namespace tavi
