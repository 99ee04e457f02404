#pragma once

#include "core/base/LocaleSettings.h"
#include "core/projection/PlanningHorizon.h"
#include "core/sectors/livestock/LivestockModel.h"

#include <QString>

#include <array>
#include <utility>
#include <vector>

// The livestock demand over a planning horizon: the window's herds in the base year, each
// species' herd moved by its own driver, and each year's demand the window's own computation
// on that year's herds.
namespace tavi::horizon
{

// A herd grows by a percentage a year, compounded; or follows head counts typed for some
// years (between them on a line, beyond them the nearest), when any are typed.
struct HerdDriver {
    long double annualGrowthPercent = 0;
    std::vector<std::pair<int, long double>> typed;
};
using LivestockDrivers = std::array<HerdDriver, kSpeciesCount>;

struct LivestockYear {
    int year = 0;
    std::array<long double, kSpeciesCount> heads{};
    long double daily = 0;  // m3/day, the window's total as it shows it
    long double annual = 0; // m3 in the year's days
};

// Why the herds cannot be projected, naming the species; empty when they can.
QString livestockDriversProblem(const projection::PlanningHorizon &horizon,
                                const LivestockDrivers &drivers);

// Every year of the horizon; throws TaviError for what livestockDriversProblem() names.
std::vector<LivestockYear> livestockOverHorizon(const LivestockInputs &window,
                                                const projection::PlanningHorizon &horizon,
                                                const LivestockDrivers &drivers,
                                                const LocaleSettings &locale);

} // namespace tavi::horizon
