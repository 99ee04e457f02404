#pragma once

// Scenario runs made by hand for the horizon's outputs, apart from the runs over the sectors:
// every sector, year and scenario has figures of its own, with fractions that only the general
// format keeps to the last digit.

#include "core/horizon/HorizonRun.h"
#include "core/numbers/GeneralFormat.h"

namespace testing
{

inline tavi::horizon::ScenarioRun handMadeRun(const QString &name, int scenario,
                                              int firstYear = 2026, int years = 21)
{
    tavi::horizon::ScenarioRun run;
    run.name = name;
    run.populationSource = QStringLiteral("Geométrico");
    for (int y = 0; y < years; ++y) {
        tavi::horizon::HorizonYear year;
        year.year = firstYear + y;
        for (int s = 0; s < tavi::kSummarySectors; ++s) {
            tavi::horizon::DemandFigures &figures = year.sectors[std::size_t(s)];
            figures.annual = (s + 1) * 1234567.891L + y * (1000.25L + 100 * scenario) +
                             scenario * 3333.5L + s / 7.0L;
            figures.meanDaily = figures.annual / 365;
            figures.peakDaily = figures.meanDaily * 1.5L;
            year.total.annual += figures.annual;
            year.total.meanDaily += figures.meanDaily;
            year.total.peakDaily += figures.peakDaily;
        }
        year.totalPopulation = 50000 + 731 * y + 17 * scenario;
        year.servedPopulation = year.totalPopulation * 0.9L;
        year.dilutionMaximum = 0.459 + 0.001 * y;
        year.dilutionMaximumText = tavi::formatGeneral(year.dilutionMaximum);
        year.dilutionPoint = 14;
        run.years.push_back(year);
    }
    return run;
}

// The same with a sector failed: its message, and its figures out of the total.
inline tavi::horizon::ScenarioRun withSectorFailed(tavi::horizon::ScenarioRun run, int sector)
{
    run.errors[std::size_t(sector)] =
        QStringLiteral("%1: 'abc' não é um valor de ponto flutuante válido")
            .arg(tavi::summarySectorName(sector));
    for (tavi::horizon::HorizonYear &year : run.years) {
        tavi::horizon::DemandFigures &figures = year.sectors[std::size_t(sector)];
        year.total.annual -= figures.annual;
        year.total.meanDaily -= figures.meanDaily;
        year.total.peakDaily -= figures.peakDaily;
        figures = {};
    }
    return run;
}

inline tavi::horizon::ScenarioRun failedRun(const QString &name)
{
    tavi::horizon::ScenarioRun run;
    run.name = name;
    run.problem = QStringLiteral("As contagens não servem ao método logístico.");
    return run;
}

} // namespace testing
