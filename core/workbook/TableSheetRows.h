#pragma once

#include "core/tables/CellTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// The windows' tables as rows of a worksheet, and the columns a chart of them plots.
namespace tavi
{

enum class EmptyRows { Dropped, Kept };

// The table's stored rows as texts. A table filled short of its rows leaves them empty, and
// most sheets have no use for them.
QList<QStringList> sheetRows(const CellTable &table, EmptyRows empty = EmptyRows::Dropped);

// A table of `columns` by `rows` (at least one of each, as a table must have) filled by
// `fill`, as a sheet's rows without the empty ones.
template <typename Fill> QList<QStringList> filledSheetRows(int columns, int rows, Fill fill)
{
    CellTable table(std::max(1, columns), std::max(1, rows), std::max(1, rows), true);
    fill(table);
    return sheetRows(table);
}

// Column `column` (from 0) of a sheet from row `firstRow` down `count` rows: "B2:B21".
QString sheetColumnRange(int column, int count, int firstRow = 2);

} // namespace tavi
