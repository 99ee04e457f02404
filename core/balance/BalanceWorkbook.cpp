#include "core/balance/BalanceWorkbook.h"

namespace tavi::balance
{

BalanceBook balanceBook(const WaterBalance &, const std::vector<ScenarioBalance> &)
{
    return {};
}

Workbook balanceWorkbook(const BalanceBook &, const LocaleSettings &)
{
    return Workbook();
}

} // namespace tavi::balance
