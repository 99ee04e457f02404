#include "core/horizon/HorizonRun.h"

#include "core/horizon/HorizonDrivers.h"

// Provisional: empty years until the run over every sector is written.
namespace tavi::horizon
{

bool ScenarioRun::isPartial() const
{
    return false;
}

QString ScenarioRun::partialNote() const
{
    return QString();
}

QStringList ScenarioRun::errorMessages() const
{
    return QStringList();
}

ScenarioRun runScenario(const Study &study, int scenario, const LocaleSettings &)
{
    ScenarioRun run;
    if (!study.horizon) {
        run.problem = QStringLiteral("O estudo não tem horizonte de planejamento.");
        return run;
    }
    const ResolvedScenario resolved = resolveScenario(study, scenario);
    run.name = resolved.name;
    const projection::PlanningHorizon years = readPlanningHorizon(*study.horizon);
    for (int y = years.baseYear; y <= years.finalYear; ++y) {
        HorizonYear year;
        year.year = y;
        year.total.annual = 1000 * (y - years.baseYear + 1) * (scenario + 1);
        run.years.push_back(year);
    }
    return run;
}

std::vector<ScenarioRun> runHorizon(const Study &study, const LocaleSettings &locale,
                                    const std::atomic<bool> *)
{
    std::vector<ScenarioRun> runs;
    if (study.horizon) {
        for (std::size_t s = 0; s < study.horizon->scenarios.size(); ++s)
            runs.push_back(runScenario(study, int(s), locale));
    }
    return runs;
}

std::vector<ScenarioDifference> differencesFromBase(const std::vector<ScenarioRun> &)
{
    return {};
}

} // namespace tavi::horizon
