#pragma once

#include "core/workbook/Workbook.h"
#include "export/SpreadsheetApp.h"

#include <memory>

// The program's own spreadsheet application: it keeps its one workbook in memory and hands
// it over to the user when made visible. This class does everything but the hand-over; the
// windowed application shows the workbook in a window of the program (WindowedSpreadsheet).
//
// Cells take typed entries (numbers stored as numbers, under the regional settings in force
// when written). It holds one workbook at a time; once it has quit or been abandoned, every
// further call throws.
class WorkbookSpreadsheet : public SpreadsheetApp
{
public:
    WorkbookSpreadsheet() = default;
    ~WorkbookSpreadsheet() override = default;

    void workbooksAdd(int workbookTemplate) override;
    void setCellFontStyle(int workbook, int sheet, int row, int column,
                          const QString &style) override;
    void setCellText(int workbook, int sheet, int row, int column, const QString &text) override;
    void columnsAutoFit() override;
    void setVisible(bool visible) override;
    void sheetsAdd(int workbook, int count, int type) override;
    void setSheetName(int workbook, int sheet, const QString &name) override;
    tavi::CellRange sheetRange(const QString &sheetName, const QString &reference) override;
    void setSeriesValues(const QString &chartSheet, int series,
                         const tavi::CellRange &values) override;
    void setChartType(const QString &chartSheet, int type) override;
    int newSeries(const QString &chartSheet) override;
    void setSeriesXValues(const QString &chartSheet, int series,
                          const tavi::CellRange &categories) override;
    void quit() override;
    void abandon() noexcept override;
    void suggestFileName(const QString &fileName) noexcept override;

    // The open workbook, or null. Shared, so that the user's window keeps it alive after this
    // application is released.
    const std::shared_ptr<tavi::Workbook> &workbook() const { return m_workbook; }
    bool isVisible() const { return m_visible; }
    // The file name to offer when the workbook is saved, or an empty text.
    const QString &suggestedFileName() const { return m_fileName; }

protected:
    // The hand-over. shown(): Visible became true for the first time; workbookChanged():
    // the workbook changed after it was shown; quitting(): Quit with the workbook shown, the
    // user to be offered to save it; abandoning(): the shown workbook is to go unsaved.
    virtual void shown() {}
    virtual void workbookChanged() {}
    virtual void quitting() {}
    virtual void abandoning() noexcept {}

private:
    tavi::Workbook &open(int workbook);
    tavi::Workbook &active();
    void checkRunning() const;
    void changed();

    std::shared_ptr<tavi::Workbook> m_workbook;
    QString m_fileName;
    bool m_visible = false;
    bool m_ended = false;
};
