#include "export/BalanceExport.h"

void exportBalance(QWidget *, const tavi::balance::WaterBalance &,
                   const std::vector<tavi::balance::ScenarioBalance> &, SpreadsheetFactory &)
{
}
