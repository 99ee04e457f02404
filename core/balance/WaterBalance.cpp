#include "core/balance/WaterBalance.h"

namespace tavi::balance
{

BalanceChoices readChoices(const StudyBalance &)
{
    return {};
}

QString referenceName(ReferenceKind)
{
    return {};
}

StressClass stressClass(long double)
{
    return StressClass::Excellent;
}

QString stressClassName(StressClass)
{
    return {};
}

QString stressClassRange(StressClass)
{
    return {};
}

QString stressClassColour(StressClass)
{
    return QStringLiteral("#000000");
}

Ratio ratioOf(long double demand, long double, long double)
{
    Ratio ratio;
    ratio.demand = demand;
    return ratio;
}

WaterBalance computeBalance(const Study &, const MunicipalSummary &)
{
    WaterBalance balance;
    balance.problem = QStringLiteral("O estudo não tem balanço hídrico.");
    return balance;
}

WaterBalance balanceOfStudy(const Study &study, const LocaleSettings &locale)
{
    return computeBalance(study, summarizeStudy(study, SupplyScenario::Current, locale));
}

} // namespace tavi::balance
