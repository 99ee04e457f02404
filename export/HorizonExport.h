#pragma once

#include "core/horizon/HorizonRun.h"
#include "export/ProgramSpreadsheetFactory.h"

#include <vector>

class QWidget;

// "Salvar" of the horizon window: every scenario's year table, the difference table and the
// two charts (the chosen scenario's sectors as stacked areas, every scenario's total as
// lines) in one workbook (core/horizon/HorizonWorkbook.h), built through the spreadsheet
// application.
void exportHorizon(QWidget *window, const std::vector<tavi::horizon::ScenarioRun> &runs,
                   int chosenScenario, SpreadsheetFactory &factory = spreadsheetFactory());
