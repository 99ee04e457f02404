#pragma once

#include "core/base/LocaleSettings.h"
#include "core/projection/PlanningHorizon.h"
#include "core/sectors/agriculture/AgricultureRun.h"

#include <QString>

#include <array>
#include <atomic>
#include <optional>
#include <utility>
#include <vector>

// The irrigated agriculture demand over a planning horizon: the window's tables in the base
// year, each class's irrigated area and efficiency moved by the drivers, the climate year the
// study's series or that series scaled; each year's demand is the window's own simulation on
// that year's tables.
namespace tavi::horizon
{

// A class's irrigated area grows by a percentage a year, compounded; or follows areas typed
// for some years (between them on a line, beyond them the nearest), when any are typed.
struct AreaDriver {
    long double annualGrowthPercent = 0;
    std::vector<std::pair<int, long double>> typed;
};

enum class ClimateChoice {
    StudySeries, // the series of the study (or the one the scenario puts in its place)
    Factors,     // that series with its ETP and its rainfall each multiplied by a factor
};

struct AgricultureDrivers {
    std::array<AreaDriver, agriculture::kClasses> areas;
    // Every class's efficiency goes from its own in the base year to the target by its year,
    // as the parameter table holds efficiencies; none leaves them as typed.
    std::optional<long double> efficiencyTarget;
    int efficiencyTargetYear = projection::kServedShareGoalYear;
    ClimateChoice climate = ClimateChoice::StudySeries;
    long double etpFactor = 1;
    long double rainFactor = 1;
};

struct AgricultureYear {
    int year = 0;
    std::array<long double, agriculture::kClasses> areas{};
    std::array<long double, agriculture::kClasses> efficiencies{};
    // The window's daily total for the days of that year (365 or 366), m3/day.
    std::vector<long double> daily;
    long double annual = 0; // their sum, m3
};

// Why the agriculture cannot be projected (a growth of -100 % or less, a negative typed area,
// an efficiency target out of range, a negative factor), naming the class or the driver;
// empty when it can.
QString agricultureDriversProblem(const projection::PlanningHorizon &horizon,
                                  const AgricultureDrivers &drivers);

// Every year of the horizon. Throws TaviError for what agricultureDriversProblem() names and
// for what the window's run refuses, naming the cell. Years whose tables come out identical
// are simulated once. The climate's factors hold in every year, the base year's too: they
// stand for another climate year, not for a change over the years. When `cancelled` turns
// true the years stop where they are.
std::vector<AgricultureYear> agricultureOverHorizon(const agriculture::Inputs &window,
                                                    const projection::PlanningHorizon &horizon,
                                                    const AgricultureDrivers &drivers,
                                                    const LocaleSettings &locale,
                                                    const std::atomic<bool> *cancelled = nullptr);

} // namespace tavi::horizon
