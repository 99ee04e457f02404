#pragma once

#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "export/ProgramSpreadsheetFactory.h"

class QWidget;

// "Salvar" of the region window: the region's tables and charts in one workbook, one sheet per
// table (core/region/RegionWorkbook.h), built through the spreadsheet application; and the
// municipalities as a ";" .csv beside it, written where the planner chooses.
void exportRegion(QWidget *window, const tavi::region::Region &region,
                  const tavi::region::RegionResults &results,
                  SpreadsheetFactory &factory = spreadsheetFactory());
