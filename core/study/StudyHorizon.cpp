#include "core/study/StudyHorizon.h"

#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/Study.h"

namespace tavi
{

namespace
{

// The scenario's window inputs over the study's: each field and each grid it holds replaces
// the study's; a series it holds brings its origin (or the lack of one) with it.
void overrideWindow(WindowInputs &window, const WindowInputs &scenario)
{
    for (auto f = scenario.fields.cbegin(); f != scenario.fields.cend(); ++f)
        window.fields[f.key()] = f.value();
    for (auto g = scenario.grids.cbegin(); g != scenario.grids.cend(); ++g)
        window.grids[g.key()] = g.value();
    if (scenario.grids.contains(QString(keys::kSeries)))
        window.seriesOrigin = scenario.seriesOrigin;
}

} // namespace

ResolvedScenario resolveScenario(const Study &study, int scenario)
{
    ResolvedScenario resolved;
    resolved.windows = study.windows;
    if (!study.horizon || study.horizon->scenarios.empty())
        return resolved;
    const std::vector<Scenario> &scenarios = study.horizon->scenarios;
    const Scenario &base = scenarios.front();
    resolved.name = base.name;
    resolved.drivers = base.inputs.drivers;
    resolved.tables = base.inputs.tables;
    for (auto w = base.inputs.windows.cbegin(); w != base.inputs.windows.cend(); ++w)
        overrideWindow(resolved.windows[w.key()], w.value());
    if (scenario <= 0 || std::size_t(scenario) >= scenarios.size())
        return resolved;

    const Scenario &own = scenarios[std::size_t(scenario)];
    resolved.name = own.name;
    for (auto d = own.inputs.drivers.cbegin(); d != own.inputs.drivers.cend(); ++d)
        resolved.drivers[d.key()] = d.value();
    for (auto t = own.inputs.tables.cbegin(); t != own.inputs.tables.cend(); ++t)
        resolved.tables[t.key()] = t.value();
    for (auto w = own.inputs.windows.cbegin(); w != own.inputs.windows.cend(); ++w)
        overrideWindow(resolved.windows[w.key()], w.value());
    return resolved;
}

QString scenarioNameProblem(const StudyHorizon &horizon, const QString &name, int self)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Dê um nome ao cenário.");
    for (std::size_t i = 0; i < horizon.scenarios.size(); ++i) {
        if (int(i) != self &&
            horizon.scenarios[i].name.trimmed().compare(trimmed, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Já existe um cenário chamado \"%1\".").arg(trimmed);
    }
    return QString();
}

} // namespace tavi
