#include "core/flows/MonthlyFlows.h"

namespace tavi::flows
{

std::array<MonthFlows, 12> monthlyFlows(const FlowSeries &)
{
    return {};
}

} // namespace tavi::flows
