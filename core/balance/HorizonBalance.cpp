#include "core/balance/HorizonBalance.h"

namespace tavi::balance
{

std::vector<ScenarioBalance> horizonBalance(const std::vector<horizon::ScenarioRun> &,
                                            const WaterBalance &)
{
    return {};
}

} // namespace tavi::balance
