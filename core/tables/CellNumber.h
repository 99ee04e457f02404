#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"

namespace tavi
{

// A cell's number, read from its text by the text-to-number rule of the models, in `locale`.
// An unreadable text throws a ConvertError that carries the cell, so that after the error box
// the window can show the user where the run stopped.
long double cellNumber(const CellTable &table, int col, int row,
                       const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
