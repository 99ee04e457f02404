#include "export/WorkbookSpreadsheet.h"

#include "core/workbook/WorkbookError.h"
#include "export/SpreadsheetCodes.h"

using tavi::Workbook;
using tavi::WorkbookError;

// The workbook takes the application's codes as they come.
static_assert(SpreadsheetCodes::kChartSheet == Workbook::kChartType);
static_assert(SpreadsheetCodes::kWorksheet == Workbook::kWorksheetType);
static_assert(SpreadsheetCodes::kStackedLineChart == tavi::WorkbookChart::kLineStacked);
static_assert(SpreadsheetCodes::kStackedAreaChart == tavi::WorkbookChart::kAreaStacked);
static_assert(SpreadsheetCodes::kLineChart == tavi::WorkbookChart::kLine);

namespace
{

tavi::WorkbookChart &chartNamed(Workbook &book, const QString &name)
{
    Workbook::Sheet &sheet = book.sheetNamed(name);
    if (!sheet.chart)
        throw WorkbookError(QStringLiteral("A planilha '%1' não é um gráfico").arg(sheet.name));
    return *sheet.chart;
}

} // namespace

void WorkbookSpreadsheet::checkRunning() const
{
    if (m_ended)
        throw WorkbookError(QStringLiteral("O aplicativo de planilhas já foi encerrado"));
}

Workbook &WorkbookSpreadsheet::active()
{
    checkRunning();
    if (!m_workbook)
        throw WorkbookError(QStringLiteral("Nenhuma pasta de trabalho está aberta"));
    return *m_workbook;
}

Workbook &WorkbookSpreadsheet::open(int workbook)
{
    Workbook &book = active();
    if (workbook != 1)
        throw WorkbookError(QStringLiteral("A pasta de trabalho %1 não está aberta").arg(workbook));
    return book;
}

void WorkbookSpreadsheet::changed()
{
    if (m_visible)
        workbookChanged();
}

void WorkbookSpreadsheet::workbooksAdd(int)
{
    // The template argument chooses nothing here: every new workbook starts with one
    // worksheet.
    checkRunning();
    if (m_workbook)
        throw WorkbookError(QStringLiteral("Só uma pasta de trabalho pode estar aberta"));
    m_workbook = std::make_shared<Workbook>();
    changed();
}

void WorkbookSpreadsheet::setCellFontStyle(int workbook, int sheet, int row, int column,
                                           const QString &style)
{
    Workbook &book = open(workbook);
    bool bold = false;
    if (style.compare(SpreadsheetCodes::kBoldStyle, Qt::CaseInsensitive) == 0 ||
        style.compare(QLatin1String("Bold"), Qt::CaseInsensitive) == 0)
        bold = true;
    else if (style.compare(QLatin1String("Normal"), Qt::CaseInsensitive) != 0 &&
             style.compare(QLatin1String("Regular"), Qt::CaseInsensitive) != 0)
        throw WorkbookError(QStringLiteral("O estilo de fonte '%1' não é suportado").arg(style));
    book.worksheet(sheet).setBold(row, column, bold);
    changed();
}

void WorkbookSpreadsheet::setCellText(int workbook, int sheet, int row, int column,
                                      const QString &text)
{
    open(workbook).worksheet(sheet).setEntry(row, column, text);
    changed();
}

void WorkbookSpreadsheet::columnsAutoFit()
{
    active().activeWorksheet().autoFitColumns();
    changed();
}

void WorkbookSpreadsheet::setVisible(bool visible)
{
    checkRunning();
    // Once the user has the workbook in front of them it is theirs: hiding it again is
    // not offered.
    if (!visible || m_visible)
        return;
    m_visible = true;
    if (m_workbook)
        shown();
}

void WorkbookSpreadsheet::sheetsAdd(int workbook, int count, int type)
{
    Workbook &book = open(workbook);
    book.addSheets(book.activeSheet(), count, type);
    changed();
}

void WorkbookSpreadsheet::setSheetName(int workbook, int sheet, const QString &name)
{
    open(workbook).renameSheet(sheet, name);
    changed();
}

tavi::CellRange WorkbookSpreadsheet::sheetRange(const QString &sheetName, const QString &reference)
{
    Workbook &book = active();
    const Workbook::Sheet &sheet = book.sheetNamed(sheetName);
    if (sheet.isChart())
        throw WorkbookError(QStringLiteral("O gráfico '%1' não tem células").arg(sheet.name));
    return tavi::parseRangeReference(sheet.name, reference);
}

void WorkbookSpreadsheet::setSeriesValues(const QString &chartSheet, int series,
                                          const tavi::CellRange &values)
{
    Workbook &book = active();
    if (book.sheetIndex(values.sheet) == 0)
        throw WorkbookError(
            QStringLiteral("A pasta de trabalho não tem a planilha '%1'").arg(values.sheet));
    chartNamed(book, chartSheet).setSeriesValues(series, values);
    changed();
}

void WorkbookSpreadsheet::setSeriesXValues(const QString &chartSheet, int series,
                                           const tavi::CellRange &categories)
{
    Workbook &book = active();
    if (book.sheetIndex(categories.sheet) == 0)
        throw WorkbookError(
            QStringLiteral("A pasta de trabalho não tem a planilha '%1'").arg(categories.sheet));
    chartNamed(book, chartSheet).setSeriesCategories(series, categories);
    changed();
}

int WorkbookSpreadsheet::newSeries(const QString &chartSheet)
{
    const int series = chartNamed(active(), chartSheet).addSeries();
    changed();
    return series;
}

void WorkbookSpreadsheet::setChartType(const QString &chartSheet, int type)
{
    chartNamed(active(), chartSheet).setChartType(type);
    changed();
}

void WorkbookSpreadsheet::quit()
{
    checkRunning();
    m_ended = true;
    // A workbook nobody has seen has nobody to ask about saving it, and goes.
    if (m_visible && m_workbook)
        quitting();
    m_workbook.reset();
}

void WorkbookSpreadsheet::abandon() noexcept
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_visible && m_workbook)
        abandoning();
    m_workbook.reset();
}

void WorkbookSpreadsheet::suggestFileName(const QString &fileName) noexcept
{
    m_fileName = fileName;
}
