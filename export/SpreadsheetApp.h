#pragma once

#include "core/workbook/WorkbookRange.h"

#include <QString>
#include <memory>

class QWidget;

// The spreadsheet application as the result export drives it: one instance per export, one
// new workbook, cells written one by one, then shown to the user, who decides whether to
// save it. Operations are numbered in the order the export first uses them. Any call the
// application cannot honour (no workbook open, a sheet or series that does not exist, an
// index out of range) throws; the export catches and reports it.
class SpreadsheetApp
{
public:
    virtual ~SpreadsheetApp() = default;

    // 2. Workbooks.Add(template): a new workbook, Workbooks(1), whose Sheets(1) is a
    //    worksheet and the active sheet.
    virtual void workbooksAdd(int workbookTemplate) = 0;
    // 3. Workbooks(workbook).Sheets(sheet).Cells(row, column).Font.FontStyle := style, where
    //    SpreadsheetCodes::kBoldStyle makes the cell bold.
    virtual void setCellFontStyle(int workbook, int sheet, int row, int column,
                                  const QString &style) = 0;
    // 4. Workbooks(workbook).Sheets(sheet).Cells(row, column) := text.
    virtual void setCellText(int workbook, int sheet, int row, int column, const QString &text) = 0;
    // 5. Columns.AutoFit: the active sheet's columns fit their contents.
    virtual void columnsAutoFit() = 0;
    // 6. Visible := visible: the application's window shown to the user.
    virtual void setVisible(bool visible) = 0;
    // 7. Workbooks(workbook).Sheets.Add(Count := count, Type := type), Before and After
    //    left out: new sheets in front of the active sheet, the first of them made active.
    //    Type SpreadsheetCodes::kChartSheet adds chart sheets, whose chart already holds a
    //    first series.
    virtual void sheetsAdd(int workbook, int count, int type) = 0;
    // 8. Workbooks(workbook).Sheets(sheet).Name := name.
    virtual void setSheetName(int workbook, int sheet, const QString &name) = 0;
    // 9. Sheets.Item(sheetName).Range(reference): a range of that worksheet.
    virtual tavi::CellRange sheetRange(const QString &sheetName, const QString &reference) = 0;
    // 10. Sheets.Item(chartSheet).SeriesCollection.Item(series).Values := values.
    virtual void setSeriesValues(const QString &chartSheet, int series,
                                 const tavi::CellRange &values) = 0;
    // 11. Sheets.Item(chartSheet).ChartType := type (SpreadsheetCodes).
    virtual void setChartType(const QString &chartSheet, int type) = 0;
    // 13. Sheets.Item(chartSheet).SeriesCollection.NewSeries: a further series of the chart,
    //     with no values yet; returns its number.
    virtual int newSeries(const QString &chartSheet) = 0;
    // 12. Quit: the application closes, first offering the user to save the workbook.
    virtual void quit() = 0;
    // 14. Sheets.Item(chartSheet).SeriesCollection.Item(series).XValues := categories: what
    //     names the series' points along x, in place of their numbers.
    virtual void setSeriesXValues(const QString &chartSheet, int series,
                                  const tavi::CellRange &categories) = 0;

    // Names the file the user is offered when saving the workbook, before it is shown. Not
    // an automation call: an application that cannot use it ignores it. Never throws.
    virtual void suggestFileName(const QString &fileName) noexcept { (void)fileName; }

    // Ends the application without offering to save, discarding its workbook: a failed
    // export leaves no half-filled workbook behind. Never throws.
    virtual void abandon() noexcept = 0;
};

// Operation 1: starting the application.
class SpreadsheetFactory
{
public:
    virtual ~SpreadsheetFactory() = default;

    // 1. create progId ("Excel.Application"): a new, invisible application with no workbook
    //    open, whose window opens over `owner` once made visible. Throws when none starts.
    virtual std::unique_ptr<SpreadsheetApp> create(const QString &progId, QWidget *owner) = 0;
};
