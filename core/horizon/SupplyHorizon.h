#pragma once

#include "core/base/LocaleSettings.h"
#include "core/projection/PlanningHorizon.h"
#include "core/projection/PopulationProjection.h"
#include "core/sectors/supply/PublicSupplyModel.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The public supply demand over a planning horizon: the window's inputs in the base year, and
// the drivers that move them year by year (the population, the share of it served, the
// per-capita demand and the losses). Each year's demand is the window's own computation on
// that year's inputs, so the base year is the window's ATUAL, text for text.
namespace tavi::horizon
{

// How the population grows: by a method fitted to census counts, its growth from the base
// year applied to the window's total population; or by populations typed for some years,
// taken as they are.
struct PopulationDriver {
    std::vector<projection::PopulationCount> counts;
    projection::ProjectionMethod method = projection::ProjectionMethod::Geometric;
    std::optional<long double> saturation;          // typed, for the decreasing rate
    std::vector<std::pair<int, long double>> typed; // used instead when not empty
};

// How the per-capita demand of the served population moves.
enum class PerCapitaPath {
    Constant,     // the window's q_0 every year
    AnnualChange, // q_0 changed by a percentage a year, compounded
    Elasticities, // from the year after the base, next year's q_1 of the window's elasticities
};

struct SupplyDrivers {
    PopulationDriver population;
    // The share served goes from today's (me_1 / me_3) to the target by its year.
    long double coverageTargetPercent = projection::kServedShareGoal * 100;
    int coverageTargetYear = projection::kServedShareGoalYear;
    PerCapitaPath perCapita = PerCapitaPath::Elasticities;
    long double perCapitaChangePercent = 0; // a year, for AnnualChange
    // Losses in distribution today and their target: the gross demand scales by
    // (1 - L0) / (1 - Lt) for the year's Lt. No change unless typed.
    long double lossesTodayPercent = 0;
    long double lossesTargetPercent = 0;
    int lossesTargetYear = projection::kServedShareGoalYear;
};

struct SupplyYear {
    int year = 0;
    long double totalPopulation = 0;
    long double servedPopulation = 0;
    long double perCapita = 0;
    long double daily = 0;  // gross demand, m3/day, as the window's ATUAL shows it
    long double annual = 0; // m3 in the year's days
};

// Why the population cannot be projected: counts the rules refuse, a method that does not
// apply to them, typed populations that cannot be used; empty when it can.
QString populationDriverProblem(const PopulationDriver &population);

// Why nothing can be projected (the counts, the horizon, a share out of range), in the
// user's words; empty when the supply can be projected.
QString supplyDriversProblem(const PublicSupplyInputs &window,
                             const projection::PlanningHorizon &horizon,
                             const SupplyDrivers &drivers);

// Every year of the horizon. Throws TaviError for what supplyDriversProblem() names, and for
// what the window's run refuses (an efficiency out of range).
std::vector<SupplyYear> supplyOverHorizon(const PublicSupplyInputs &window,
                                          const projection::PlanningHorizon &horizon,
                                          const SupplyDrivers &drivers,
                                          const LocaleSettings &locale);

} // namespace tavi::horizon
