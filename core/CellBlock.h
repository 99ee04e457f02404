#pragma once

#include "core/CellTable.h"
#include "core/LocaleSettings.h"

#include <QStringList>
#include <QVector>

// Blocks of cells as text, the way spreadsheets exchange them through the clipboard.
namespace tavi
{

struct CellRange {
    int col = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;
    bool isEmpty() const { return columns <= 0 || rows <= 0; }
};

// The cells of `range` exactly as they read: cells separated by tabs, rows by line ends.
QString copyBlock(const CellTable &table, const CellRange &range);

// A pasted block split into rows of cells: one row per line (a trailing line end ignored,
// "\r\n" and "\n" alike), cells separated by tabs, or by ";" in a block that holds no tab.
QVector<QStringList> parseBlock(const QString &text);

// Writes a pasted block into `table` from (col, row) rightwards and downwards, cutting what
// falls beyond the last column or the last stored row. With translateDecimal, every "." and
// "," becomes the locale's decimal separator, as the decimal keys do when typed. Only text
// changes; nothing is computed. Returns the range written.
CellRange pasteBlock(CellTable &table, int col, int row, const QString &text, bool translateDecimal,
                     const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
