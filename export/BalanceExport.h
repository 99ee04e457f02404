#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "export/ProgramSpreadsheetFactory.h"

#include <vector>

class QWidget;

// "Salvar" of the balance window: every table of the balance and its charts in one workbook
// (core/balance/BalanceWorkbook.h), built through the spreadsheet application.
void exportBalance(QWidget *window, const tavi::balance::WaterBalance &balance,
                   const std::vector<tavi::balance::ScenarioBalance> &scenarios,
                   SpreadsheetFactory &factory = spreadsheetFactory());
