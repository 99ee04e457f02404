#include "export/HorizonExport.h"

#include "core/horizon/HorizonWorkbook.h"
#include "export/SheetBookExport.h"

void exportHorizon(QWidget *window, const std::vector<tavi::horizon::ScenarioRun> &runs,
                   int chosenScenario, SpreadsheetFactory &factory)
{
    exportSheetBook(window, tavi::horizon::horizonBook(runs, chosenScenario),
                    QStringLiteral("Horizonte de Planejamento.xlsx"), factory);
}
