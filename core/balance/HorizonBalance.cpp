#include "core/balance/HorizonBalance.h"

namespace tavi::balance
{

namespace
{

bool isCritical(const Ratio &ratio)
{
    return ratio.stress == StressClass::Critical || ratio.stress == StressClass::VeryCritical;
}

} // namespace

std::vector<ScenarioBalance> horizonBalance(const std::vector<horizon::ScenarioRun> &runs,
                                            const WaterBalance &balance)
{
    std::vector<ScenarioBalance> scenarios;
    if (!balance.computed())
        return scenarios;
    const auto ratio = [&balance](long double demand) {
        return ratioOf(demand, balance.reference, balance.available);
    };
    for (const horizon::ScenarioRun &run : runs) {
        ScenarioBalance scenario;
        scenario.name = run.name;
        scenario.problem = run.problem;
        if (!run.computed()) {
            scenarios.push_back(scenario);
            continue;
        }
        scenario.partialNote = run.partialNote();
        scenario.dilutionComputed = run.dilutionError.isEmpty();
        for (const horizon::HorizonYear &year : run.years) {
            HorizonBalanceYear figures;
            figures.year = year.year;
            const long double mean = year.total.meanDaily / kSecondsPerDay;
            figures.meanDay = ratio(mean);
            figures.peakDay = ratio(year.total.peakDaily / kSecondsPerDay);
            figures.meanDayWithDilution =
                ratio(scenario.dilutionComputed ? mean + year.dilutionMaximum : mean);
            if (!scenario.firstCriticalYear && isCritical(figures.meanDay))
                scenario.firstCriticalYear = year.year;
            if (scenario.dilutionComputed && !scenario.firstCriticalYearWithDilution &&
                isCritical(figures.meanDayWithDilution))
                scenario.firstCriticalYearWithDilution = year.year;
            scenario.years.push_back(figures);
        }
        scenarios.push_back(scenario);
    }
    return scenarios;
}

} // namespace tavi::balance
