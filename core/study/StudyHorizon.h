#pragma once

#include "core/study/StudyInputs.h"

#include <QMap>
#include <QString>

#include <vector>

// A study's planning horizon: its years and its scenarios, kept as texts like the rest of a
// study (numbers with "." as decimal separator, StudyText.h), so that they mean the same in
// any locale.
namespace tavi
{

struct Study;

// What a scenario sets: its drivers by key (HorizonKeys.h), the drivers' tables (census
// counts, typed populations, herds and areas), and window inputs that replace the study's,
// field by field and grid by grid (an agriculture series taken from another station year comes
// with its own "origem_serie").
struct ScenarioInputs {
    QMap<QString, QString> drivers;
    QMap<QString, StudyGrid> tables;
    QMap<QString, WindowInputs> windows;

    bool operator==(const ScenarioInputs &other) const
    {
        return drivers == other.drivers && tables == other.tables && windows == other.windows;
    }
    bool operator!=(const ScenarioInputs &other) const { return !(*this == other); }
    bool isEmpty() const { return drivers.isEmpty() && tables.isEmpty() && windows.isEmpty(); }
};

struct Scenario {
    QString name;
    ScenarioInputs inputs;

    bool operator==(const Scenario &other) const
    {
        return name == other.name && inputs == other.inputs;
    }
    bool operator!=(const Scenario &other) const { return !(*this == other); }
};

struct StudyHorizon {
    // The years, as typed ("2026", "2046").
    QString baseYear;
    QString finalYear;
    // The first is always "Base" (keys::kBaseScenario), which holds every driver; each of the
    // others only what it overrides, everything else following the base.
    std::vector<Scenario> scenarios;

    bool operator==(const StudyHorizon &other) const
    {
        return baseYear == other.baseYear && finalYear == other.finalYear &&
               scenarios == other.scenarios;
    }
    bool operator!=(const StudyHorizon &other) const { return !(*this == other); }
};

// A scenario as it is computed: the base's drivers and tables with the scenario's own in their
// place, key by key, and the study with the scenario's window inputs in place of its own, each
// field and each grid by itself. The base scenario resolves to the base as it stands.
struct ResolvedScenario {
    QString name;
    QMap<QString, QString> drivers;
    QMap<QString, StudyGrid> tables;
    // The study's windows, as the scenario changes them; no horizon.
    QMap<QString, WindowInputs> windows;
};
ResolvedScenario resolveScenario(const Study &study, int scenario);

// Why a scenario's name cannot be used ("Já existe um cenário chamado \"Tendencial\"."),
// empty when it can: not blank, and no other scenario of the horizon (but `self`) with the
// same name, letter case aside. -1 for a scenario not yet in the list.
QString scenarioNameProblem(const StudyHorizon &horizon, const QString &name, int self = -1);

} // namespace tavi
