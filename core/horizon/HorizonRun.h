#pragma once

#include "core/base/LocaleSettings.h"
#include "core/study/Study.h"
#include "core/summary/MunicipalSummary.h"

#include <QString>

#include <array>
#include <atomic>
#include <vector>

// A study's scenarios computed over its planning horizon: every year, each sector by its own
// run on that year's inputs (SupplyHorizon.h, ...), then the totals the planner compares.
namespace tavi::horizon
{

struct DemandFigures {
    long double annual = 0;    // m3 in the year's days
    long double meanDaily = 0; // annual over the year's days, m3/day
    long double peakDaily = 0; // the year's largest day, m3/day
};

struct HorizonYear {
    int year = 0;
    // Public supply, livestock and agriculture, in the summary's order (SummarySector).
    std::array<DemandFigures, kSummarySectors> sectors{};
    // Of the sectors computed; its peak is the largest day of their sum.
    DemandFigures total;
    long double totalPopulation = 0;
    long double servedPopulation = 0;
    // The dilution's largest accumulated unavailable flow (m3/s) and its point.
    double dilutionMaximum = 0;
    QString dilutionMaximumText;
    int dilutionPoint = 0;
};

struct ScenarioRun {
    QString name;
    // Why the scenario could not be computed at all (its horizon, a driver that cannot be
    // read, a population the drivers cannot project), in Portuguese; then there are no years.
    QString problem;
    // A sector that failed carries its message, "Agricultura: ..." style, and is left out of
    // the totals, as in the municipal summary; and the place the message names on a line of
    // its own ("Série, dia 100, coluna ETP"), if any.
    std::array<QString, kSummarySectors> errors;
    std::array<QString, kSummarySectors> errorWheres;
    QString dilutionError;
    QString dilutionErrorWhere;
    // The projection method or "População digitada", as the report names it.
    QString populationSource;
    std::vector<HorizonYear> years;

    bool computed() const { return problem.isEmpty(); }
    bool sectorComputed(int sector) const { return errors[std::size_t(sector)].isEmpty(); }
    // Whether a consuming sector failed; and the note the totals carry then ("total parcial,
    // sem Agricultura"), empty otherwise.
    bool isPartial() const;
    QString partialNote() const;
    // The sectors left out of the total ("Pecuária e Agricultura"), and the total's name where
    // it heads a column or a row: "Total", or "Total parcial (sem Agricultura)".
    QString missingSectors() const;
    QString totalLabel() const;
    // Every sector's message and the dilution's, for showing beside the results; and, in the
    // same order, the place each names, or "".
    QStringList errorMessages() const;
    QStringList errorPlaces() const;
};

// One scenario of the study's horizon (index into its scenarios). Nothing throws: what fails
// is in the run. A study without a horizon gives a run with a problem. When `cancelled` turns
// true the years stop where they are.
ScenarioRun runScenario(const Study &study, int scenario, const LocaleSettings &locale,
                        const std::atomic<bool> *cancelled = nullptr);

// Every scenario, side by side on a thread pool, in the horizon's order; scenarios whose
// agriculture is the same (the same window and the same drivers) share one simulation of it.
// When `cancelled` turns true the work stops early and what comes back is meaningless.
std::vector<ScenarioRun> runHorizon(const Study &study, const LocaleSettings &locale,
                                    const std::atomic<bool> *cancelled = nullptr);

// Each scenario's total annual demand against the base's: in the final year, and in the year
// where they differ most (by the size of the difference; the first, on a tie).
struct ScenarioDifference {
    QString name;
    // Why its figures are at 0 (its problem), or what they leave out (its partial note, or
    // the base's: "a Base: total parcial, sem Agricultura"); empty otherwise.
    QString note;
    bool computed = true;
    long double finalTotal = 0;
    long double finalDifference = 0; // scenario - base, m3/ano
    long double finalPercent = 0;    // of the base's; 0 when the base's is 0
    int largestYear = 0;
    long double largestDifference = 0;
    long double largestPercent = 0;
};
// One row per scenario after the base; none when the base could not be computed. A scenario
// that could not be computed has its row with figures at 0 and its problem as its note.
std::vector<ScenarioDifference> differencesFromBase(const std::vector<ScenarioRun> &runs);

} // namespace tavi::horizon
