#pragma once

#include "core/base/LocaleSettings.h"
#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "core/workbook/SheetBook.h"
#include "core/workbook/Workbook.h"

// "Salvar" of the region window and `tavi regiao --saida X.xlsx`: one sheet per table (the
// municipalities, the totals, the failures, the inputs by source) and the charts (the 20
// largest municipalities stacked by sector, the totals per group, the region per scenario).
namespace tavi::region
{

SheetBook regionBook(const Region &region, const RegionResults &results);
Workbook regionWorkbook(const Region &region, const RegionResults &results,
                        const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi::region
