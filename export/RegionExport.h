#pragma once

#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "export/ProgramSpreadsheetFactory.h"

#include <QString>

#include <functional>

class QWidget;

// "Salvar" of the region window: first the municipalities as a ";" .csv (the command line's,
// core/region/RegionTables.h), in a file the planner picks in a save dialog that offers the
// region's name in the folder last saved to; cancelling it leaves the .csv out, nothing
// else. Then the region's tables and charts in one workbook, one sheet per table
// (core/region/RegionWorkbook.h), built through the spreadsheet application, where the
// planner saves it. A .csv that cannot be written is told in the "Erro" box, the file as it
// was.
void exportRegion(QWidget *window, const tavi::region::Region &region,
                  const tavi::region::RegionResults &results,
                  SpreadsheetFactory &factory = spreadsheetFactory());

namespace RegionExport
{

// "Região - Bacia do Rio Claro.csv" / ".xlsx": the names the planner is offered.
QString suggestedName(const tavi::region::Region &region, const QString &extension);

// The save dialog for the .csv: the path chosen, or an empty text when cancelled. A typed
// name without ".csv" gets it; an existing file is replaced only once the planner agrees.
QString chooseCsvFile(QWidget *parent, const QString &suggestedName);

// Tests answer the dialog themselves; an empty function brings the dialog back.
void setCsvChooser(std::function<QString(QWidget *parent, const QString &suggestedName)> chooser);

} // namespace RegionExport
