#include "core/balance/BalanceTables.h"

namespace tavi::balance
{

void fillReferenceFlowTable(CellTable &, const WaterBalance &, FiguresStyle) {}

void fillFitTable(CellTable &, const WaterBalance &, FiguresStyle) {}

void fillSeriesYearTable(CellTable &, const WaterBalance &, FiguresStyle) {}

void fillRatioTable(CellTable &, const WaterBalance &, FiguresStyle) {}

void fillMonthTable(CellTable &, const WaterBalance &, FiguresStyle) {}

void fillHorizonBalanceTable(CellTable &, const ScenarioBalance &, FiguresStyle) {}

QString balanceText(const WaterBalance &, const LocaleSettings &)
{
    return {};
}

QString horizonBalanceText(const std::vector<ScenarioBalance> &, const LocaleSettings &)
{
    return {};
}

} // namespace tavi::balance
