#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"

#include <QStringList>
#include <QVector>

#include <climits>

// Blocks of cells as text, the way spreadsheets exchange them through the clipboard.
namespace tavi
{

// A rectangle of a cell table's cells, numbered as the table numbers them (a workbook names
// its ranges with CellRange).
struct CellSpan {
    int col = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;
    bool isEmpty() const { return columns <= 0 || rows <= 0; }
};

// The cells of `range` exactly as they read: cells separated by tabs, rows by line ends.
QString copyBlock(const CellTable &table, const CellSpan &range);

// A pasted block split into rows of cells: one row per line (a trailing line end ignored;
// "\n", "\r\n" and any run of "\r" before "\n" end one line, a lone "\r" too), cells
// separated by tabs, or by ";" in a block that holds no tab. Only the first `maxRows` lines
// and the first `maxColumns` cells of each are split out: the rest of the text is never
// copied, so a huge clipboard costs no more than what fits. `tooLong`, when given, is set
// if a cell split out is longer than kLongestCellText.
QVector<QStringList> parseBlock(const QString &text, int maxRows = INT_MAX,
                                int maxColumns = INT_MAX, bool *tooLong = nullptr);

// Writes a pasted block into `table` from (col, row) rightwards and downwards, cutting what
// falls beyond the last column or the last stored row. With translateDecimal, every "." and
// "," becomes the locale's decimal separator, as the decimal keys do when typed. Only text
// changes; nothing is computed; columns the user may not type into are left as they are.
// Returns the range written; an empty range when the paste is refused: a start outside the
// table or in such a column (a block landing one column off would shift every series), or a
// cell text longer than kLongestCellText.
CellSpan pasteBlock(CellTable &table, int col, int row, const QString &text, bool translateDecimal,
                    const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
