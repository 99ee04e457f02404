#pragma once

#include "cli/Arguments.h"
#include "cli/ReportPrinter.h"

// `tavi regiao`: a region computed with no display, as the region window computes it, or
// built from a template study and the public tables.
namespace tavi::cli
{

// Reads the region, computes every municipality, writes the output asked for (.csv one row
// per municipality, .xlsx the region's workbook, .pdf its report), then prints the totals
// and, on standard error, each municipality that failed. The exit status is `tavi calcular`'s:
// 1 when a municipality failed (the others written), 2 when nothing could be written.
int runRegion(const RegionRequest &request, const ReportPrinter &printer);

// --criar: the template study and the tables read, the import's counts printed, and the
// region saved with every municipality the tables name. A table that cannot be read stops
// it with its message (file, line, column) and nothing is written.
int createRegion(const RegionRequest &request);

} // namespace tavi::cli
