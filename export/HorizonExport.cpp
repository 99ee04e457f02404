#include "export/HorizonExport.h"

// Provisional: nothing exported until the workbook is written.
void exportHorizon(QWidget *, const std::vector<tavi::horizon::ScenarioRun> &, int,
                   SpreadsheetFactory &)
{
}
