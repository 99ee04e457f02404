#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"
#include "core/weather/StationYear.h"

#include <QString>
#include <vector>

// A station's year written into the agriculture window's series: its ETP and P columns, the
// other columns left as they are.
namespace tavi::agriculture
{

// How many days of `serie` hold an ETP or a P today that writeSeries(`days`) would leave
// empty: a fill from records of a few days must not blank the rest of a year unasked.
int daysEmptiedByFill(const CellTable &serie, const std::vector<eto::YearDay> &days);

// The question asked before such a fill ("O preenchimento deixará vazios 363 dias ...");
// empty when the fill empties no day that holds a value.
QString emptyingQuestion(int days);
QString fillQuestion(const CellTable &serie, const std::vector<eto::YearDay> &days);

// Writes ETP (the day's ETo) and P into days 1..366 of `serie`, in one batch.
void writeSeries(CellTable &serie, const std::vector<eto::YearDay> &days,
                 const LocaleSettings &locale);

} // namespace tavi::agriculture
