#pragma once

#include "core/base/LocaleSettings.h"
#include "core/projection/PlanningHorizon.h"
#include "core/sectors/dilution/DilutionRun.h"

#include <QString>

#include <vector>

// The sewage dilution over a planning horizon: the effluent of a town grows with its people.
// The effluent flow follows the projected total population (its BOD5 concentration kept, so
// the load follows too), or stays as typed; each year is the window's own run.
namespace tavi::horizon
{

enum class DilutionPath { WithPopulation, AsTyped };

struct DilutionYear {
    int year = 0;
    long double effluentFlow = 0; // m3/s, the year's total
    // The largest accumulated unavailable flow (m3/s) and its first point, as the window's
    // box shows them.
    double maximum = 0;
    QString maximumText;
    int maximumPoint = 0;
};

// Every year of the horizon. `populationFactors` holds, for each year in order, the total
// population over the base year's (1 in the base year); it is read only WithPopulation, and
// must then have one factor a year. Throws TaviError for what the window's run refuses.
std::vector<DilutionYear> dilutionOverHorizon(const DilutionInputs &window,
                                              const projection::PlanningHorizon &horizon,
                                              DilutionPath path,
                                              const std::vector<long double> &populationFactors,
                                              const LocaleSettings &locale);

} // namespace tavi::horizon
