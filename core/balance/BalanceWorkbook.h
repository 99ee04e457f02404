#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/base/LocaleSettings.h"
#include "core/workbook/SheetBook.h"
#include "core/workbook/Workbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The balance's workbook: every table of the balance window, one sheet each, and a chart sheet
// for each of its charts plotting ranges of those sheets. The window's "Salvar" writes the same
// sheets through the spreadsheet application, and the command line builds this workbook
// without one.
namespace tavi::balance
{

using BalanceWorksheet = BookWorksheet;
using BalanceChartSheet = BookChart;
using BalanceBook = SheetBook;

// `scenarios` empty without a horizon.
BalanceBook balanceBook(const WaterBalance &balance, const std::vector<ScenarioBalance> &scenarios);
Workbook balanceWorkbook(const BalanceBook &book,
                         const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi::balance
