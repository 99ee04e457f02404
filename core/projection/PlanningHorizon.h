#pragma once

#include <QString>

#include <utility>
#include <vector>

// The years a plan looks over, and the quantities that move along them towards a target: the
// share of the population served, the losses in distribution, an irrigation efficiency.
namespace tavi::projection
{

// A sanitation plan covers 20 years and is revised every 10; no plan looks beyond 50.
constexpr int kDefaultHorizonYears = 20;
constexpr int kLongestHorizonYears = 50;

struct PlanningHorizon {
    int baseYear = 0;
    int finalYear = 0;

    // The base year and the one kDefaultHorizonYears after it.
    static PlanningHorizon startingIn(int baseYear);
    int years() const { return finalYear - baseYear + 1; }
};

// Why the horizon cannot be used ("O ano final (2020) é anterior ao ano-base (2026)."); empty
// when it can: a final year 1 to kLongestHorizonYears after the base year, both within the
// years a projection reaches.
QString horizonProblem(const PlanningHorizon &horizon);

// A quantity that goes in a straight line from its value in the base year to a target reached
// in the target year, and stays there; a target year not after the base year reaches it at
// once.
struct PathToTarget {
    int baseYear = 0;
    long double baseValue = 0;
    long double target = 0;
    int targetYear = 0;

    long double valueIn(int year) const;
};

// The national goal of 99 % of the population served with drinking water by the end of 2033
// (Lei 14.026/2020).
constexpr long double kServedShareGoal = 0.99L;
constexpr int kServedShareGoalYear = 2033;

// Why a share in percent cannot be used: above 100 % for a coverage, 100 % or more for losses
// (nothing would reach the taps); negative for either. Empty when it can. `what` names it as
// the sentence's subject: "A cobertura-alvo", "As perdas atuais".
QString coverageProblem(long double percent, const QString &what);
QString lossesProblem(long double percent, const QString &what);

// Populations typed for some years, in any order: the value of any year between two of them
// on the line between, and beyond them the nearest one's. `rows` must not be empty.
long double interpolatedIn(const std::vector<std::pair<int, long double>> &rows, int year);

} // namespace tavi::projection
