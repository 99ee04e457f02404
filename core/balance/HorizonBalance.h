#pragma once

#include "core/balance/WaterBalance.h"
#include "core/horizon/HorizonRun.h"

#include <optional>
#include <vector>

// The balance over the planning horizon: every scenario's demand, year by year, against the
// same reference flow.
namespace tavi::balance
{

struct HorizonBalanceYear {
    int year = 0;
    Ratio meanDay;
    Ratio peakDay;
    Ratio meanDayWithDilution;
};

struct ScenarioBalance {
    QString name;
    // The scenario's problem when it could not be computed (then no years), and what its
    // totals leave out.
    QString problem;
    QString partialNote;
    std::vector<HorizonBalanceYear> years;
    // Whether the dilution was computed: without it the ratios "com diluição" are the mean
    // day's alone and name no first year.
    bool dilutionComputed = false;
    // The first year whose mean day is "Crítica" or worse, without and with the dilution
    // flow; none when no year is.
    std::optional<int> firstCriticalYear;
    std::optional<int> firstCriticalYearWithDilution;
};

// One per run, in their order; empty when the balance has no reference flow.
std::vector<ScenarioBalance> horizonBalance(const std::vector<horizon::ScenarioRun> &runs,
                                            const WaterBalance &balance);

} // namespace tavi::balance
