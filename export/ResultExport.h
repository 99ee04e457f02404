#pragma once

#include "export/ExportLayouts.h"
#include "export/ProgramSpreadsheetFactory.h"

class QWidget;

// "Salvar" of each module window: its result grids copied into a new workbook of the
// spreadsheet application, shown to the user to save. Each takes the window (over which
// messages are shown, and which gets activation back after them) and reads its grids
// without changing them.

void exportPublicSupply(QWidget *window, const tavi::CellTable &SG_Resultado,
                        SpreadsheetFactory &factory = spreadsheetFactory());
void exportLivestock(QWidget *window, const tavi::CellTable &SG_Resultado,
                     SpreadsheetFactory &factory = spreadsheetFactory());
void exportAgriculture(QWidget *window, const AgricultureGrids &grids,
                       SpreadsheetFactory &factory = spreadsheetFactory());
void exportDilution(QWidget *window, const tavi::CellTable &SG_Resultado,
                    SpreadsheetFactory &factory = spreadsheetFactory());

// The dilution export's two chart operations, run on its application once it is visible.
// The first adds a chart sheet in front of the data and names both sheets ("Graf. Vazão
// Indisponível", "Resultados"), then calls the second, which plots Resultados!E3:E52 (the
// accumulated unavailable flow of the 50 points) as a stacked line and asks the
// application to quit. Neither catches errors: a failure ends the export.
void addDilutionChartSheet(SpreadsheetApp &app);
void plotAccumulatedFlow(SpreadsheetApp &app);
