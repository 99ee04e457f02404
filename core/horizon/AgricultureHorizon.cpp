#include "core/horizon/AgricultureHorizon.h"

// Provisional: stands in until the agriculture horizon is written.
namespace tavi::horizon
{

QString agricultureDriversProblem(const projection::PlanningHorizon &, const AgricultureDrivers &)
{
    return QString();
}

std::vector<AgricultureYear> agricultureOverHorizon(const agriculture::Inputs &,
                                                    const projection::PlanningHorizon &horizon,
                                                    const AgricultureDrivers &,
                                                    const LocaleSettings &)
{
    std::vector<AgricultureYear> years;
    for (int y = horizon.baseYear; y <= horizon.finalYear; ++y) {
        AgricultureYear year;
        year.year = y;
        year.daily.assign(365, 0.0L);
        years.push_back(year);
    }
    return years;
}

} // namespace tavi::horizon
