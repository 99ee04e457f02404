#include "core/horizon/DilutionHorizon.h"

// Provisional: stands in until the dilution horizon is written.
namespace tavi::horizon
{

std::vector<DilutionYear> dilutionOverHorizon(const DilutionInputs &,
                                              const projection::PlanningHorizon &horizon,
                                              DilutionPath, const std::vector<long double> &,
                                              const LocaleSettings &)
{
    std::vector<DilutionYear> years;
    for (int y = horizon.baseYear; y <= horizon.finalYear; ++y) {
        DilutionYear year;
        year.year = y;
        years.push_back(year);
    }
    return years;
}

} // namespace tavi::horizon
