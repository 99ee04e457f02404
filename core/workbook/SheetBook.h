#pragma once

#include "core/base/LocaleSettings.h"
#include "core/workbook/Workbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// A result window's workbook as texts and range references: what it writes through the
// spreadsheet application on "Salvar" and what the command line writes without one.
namespace tavi
{

// A worksheet as texts, row 0 in bold, from the sheet's first row and column; numbers in the
// general format, which the sheet keeps as numbers.
struct BookWorksheet {
    QString name;
    QList<QStringList> rows;
};

// A chart sheet whose series take their values from ranges of one worksheet ("C2:C22"), one
// series each, and the cells that name their points along x from the same sheet ("A2:A22").
struct BookChart {
    QString name;
    int chartType = 0; // a WorkbookChart type
    QString dataSheet;
    QStringList ranges;
    QString categories;
};

// The charts come first in the workbook, then the worksheets, each list in its order.
struct SheetBook {
    std::vector<BookChart> charts;
    std::vector<BookWorksheet> worksheets;
};

// The workbook of a book whose numbers are written under `locale`.
Workbook sheetBookWorkbook(const SheetBook &book, const LocaleSettings &locale);

} // namespace tavi
