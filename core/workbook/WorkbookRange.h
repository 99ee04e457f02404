#pragma once

#include <QString>

// Cell addresses and range references of a workbook, in the A1 style of spreadsheets.
namespace tavi
{

// The size of a worksheet, as the .xlsx format allows it.
constexpr int kWorkbookMaxRows = 1048576;
constexpr int kWorkbookMaxColumns = 16384;

// A rectangle of cells of a named sheet; rows and columns counted from 1.
struct CellRange {
    QString sheet;
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    int rowCount() const { return lastRow - firstRow + 1; }
    int columnCount() const { return lastColumn - firstColumn + 1; }
    bool operator==(const CellRange &other) const;
};

// Whether (row, column) lies inside a worksheet.
bool isCellAddress(int row, int column);

// Column letters: 1 -> "A", 26 -> "Z", 27 -> "AA", 71 -> "BS". Empty outside the sheet.
QString columnLetters(int column);

// A range of `sheet` from a reference such as "E3:E52", "$E$3:$E$52" or "B7" (one cell).
// The corners may come in any order. Throws WorkbookError for anything else.
CellRange parseRangeReference(const QString &sheet, const QString &reference);

// The sheet name as a formula writes it: quoted ('Graf. X', with inner quotes doubled)
// unless it is a plain word that cannot be mistaken for a cell address.
QString formulaSheetName(const QString &name);

// The absolute reference of a range, e.g. "Resultados!$E$3:$E$52".
QString absoluteReference(const CellRange &range);

} // namespace tavi
