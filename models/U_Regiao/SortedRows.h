#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"

#include <Qt>

// The region's result grids sorted by a column when the planner clicks its heading. The
// tables hold texts as they are read: "1.234.567" must sort after "98.765", and a sector that
// failed ("—") or an empty cell sorts after every figure, whichever way the column goes.
namespace RegionSorting
{

// Sorts the rows below the heading row, from row 1 up to `rows` (exclusive), by `column`:
// as numbers where both texts read as numbers in `locale`, otherwise as texts. Rows that tie
// keep their order.
void sortRows(tavi::CellTable &table, int column, Qt::SortOrder order, int rows,
              const tavi::LocaleSettings &locale = tavi::LocaleSettings::current());

} // namespace RegionSorting
