#include "export/BalanceExport.h"

#include "core/balance/BalanceWorkbook.h"
#include "export/SheetBookExport.h"

void exportBalance(QWidget *window, const tavi::balance::WaterBalance &balance,
                   const std::vector<tavi::balance::ScenarioBalance> &scenarios,
                   SpreadsheetFactory &factory)
{
    exportSheetBook(window, tavi::balance::balanceBook(balance, scenarios),
                    QStringLiteral("Balanço Hídrico.xlsx"), factory);
}
