#include "core/region/RegionWorkbook.h"

namespace tavi::region
{

SheetBook regionBook(const Region &, const RegionResults &)
{
    return {};
}

Workbook regionWorkbook(const Region &region, const RegionResults &results,
                        const LocaleSettings &locale)
{
    return sheetBookWorkbook(regionBook(region, results), locale);
}

} // namespace tavi::region
