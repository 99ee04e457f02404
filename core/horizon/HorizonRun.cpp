#include "core/horizon/HorizonRun.h"

#include "core/base/TaviError.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/sectors/livestock/LivestockRun.h"
#include "core/sectors/supply/SupplyRun.h"

#include <QDate>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>

namespace tavi::horizon
{

namespace
{

WindowInputs windowOf(const ResolvedScenario &scenario, const QString &key)
{
    const auto found = scenario.windows.constFind(key);
    return found != scenario.windows.constEnd() ? *found : defaultStudy().windows.value(key);
}

QString withCaption(int sector, const QString &message)
{
    return summarySectorName(sector) + QStringLiteral(": ") + message;
}

// Runs a sector's years; a failure stays with the sector, its caption before its message.
template <class Compute> void guarded(QString &error, QString &where, int sector, Compute compute)
{
    try {
        compute();
    } catch (const TaviError &e) {
        error = withCaption(sector, e.message());
        where = e.where();
    } catch (const std::exception &e) {
        error = withCaption(sector, QString::fromLocal8Bit(e.what()));
    }
}

bool stopped(const std::atomic<bool> *cancelled)
{
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

DemandFigures constantDemand(long double daily, long double annual)
{
    return {annual, daily, daily};
}

// The dilution's flow follows the projected total population: its factors, or why there are
// none.
QString populationFactors(const std::vector<SupplyYear> &supply, std::vector<long double> &factors)
{
    if (supply.empty())
        return QStringLiteral("a vazão de efluentes acompanha a população, que não pôde ser "
                              "projetada porque o Abastecimento Público não foi calculado.");
    const long double base = supply.front().totalPopulation;
    if (base <= 0)
        return QStringLiteral("a vazão de efluentes acompanha a população, mas a população "
                              "total do ano-base é zero.");
    for (const SupplyYear &year : supply)
        factors.push_back(year.totalPopulation / base);
    return QString();
}

} // namespace

bool ScenarioRun::isPartial() const
{
    if (!computed())
        return false;
    for (int s = 0; s < kSummarySectors; ++s)
        if (!sectorComputed(s))
            return true;
    return false;
}

QString ScenarioRun::missingSectors() const
{
    QStringList missing;
    for (int s = 0; s < kSummarySectors; ++s)
        if (!sectorComputed(s))
            missing << summarySectorName(s);
    if (missing.size() <= 1)
        return missing.join(QString());
    const QString last = missing.takeLast();
    return missing.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

QString ScenarioRun::partialNote() const
{
    return isPartial() ? QStringLiteral("total parcial, sem %1").arg(missingSectors()) : QString();
}

QString ScenarioRun::totalLabel() const
{
    return isPartial() ? QStringLiteral("Total parcial (sem %1)").arg(missingSectors())
                       : QStringLiteral("Total");
}

QStringList ScenarioRun::errorMessages() const
{
    QStringList out;
    for (const QString &error : errors)
        if (!error.isEmpty())
            out << error;
    if (!dilutionError.isEmpty())
        out << dilutionError;
    return out;
}

QStringList ScenarioRun::errorPlaces() const
{
    QStringList out;
    for (int s = 0; s < kSummarySectors; ++s)
        if (!errors[std::size_t(s)].isEmpty())
            out << errorWheres[std::size_t(s)];
    if (!dilutionError.isEmpty())
        out << dilutionErrorWhere;
    return out;
}

namespace
{

// A scenario resolved and its drivers read: what every sector's years start from.
struct Prepared {
    ScenarioRun run;
    ResolvedScenario resolved;
    HorizonDrivers drivers;
};

Prepared prepare(const Study &study, int scenario)
{
    Prepared prepared;
    ScenarioRun &run = prepared.run;
    if (!study.horizon || study.horizon->scenarios.empty()) {
        run.problem = QStringLiteral("O estudo não tem horizonte de planejamento.");
        return prepared;
    }
    prepared.resolved = resolveScenario(study, scenario);
    run.name = prepared.resolved.name;
    try {
        prepared.drivers = readDrivers(*study.horizon, prepared.resolved);
    } catch (const TaviError &e) {
        run.problem = e.message();
        return prepared;
    }
    const PopulationDriver &population = prepared.drivers.supply.population;
    run.populationSource = population.typed.empty() ? projection::methodName(population.method)
                                                    : QStringLiteral("População digitada");
    // Without a population there is nothing to plan for: the supply and the dilution follow it.
    run.problem = populationDriverProblem(population);
    return prepared;
}

// The agriculture's years, or its failure.
struct AgricultureOutcome {
    std::vector<AgricultureYear> years;
    QString error;
    QString where;
};

AgricultureOutcome agricultureOf(const Prepared &prepared, const LocaleSettings &locale,
                                 const std::atomic<bool> *cancelled)
{
    AgricultureOutcome outcome;
    guarded(outcome.error, outcome.where, AgricultureSector, [&] {
        outcome.years = agricultureOverHorizon(
            agriculture::readInputs(windowOf(prepared.resolved, keys::kAgricultureWindow), locale),
            prepared.drivers.horizon, prepared.drivers.agriculture, locale, cancelled);
    });
    return outcome;
}

bool sameAreas(const AreaDriver &a, const AreaDriver &b)
{
    return a.annualGrowthPercent == b.annualGrowthPercent && a.typed == b.typed;
}

// Whether two scenarios' agriculture is the same, year for year: the same window and the same
// drivers. Most scenarios move the population or the herds and leave it to the base's.
bool sameAgriculture(const Prepared &a, const Prepared &b)
{
    const AgricultureDrivers &x = a.drivers.agriculture;
    const AgricultureDrivers &y = b.drivers.agriculture;
    if (!std::equal(x.areas.begin(), x.areas.end(), y.areas.begin(), sameAreas) ||
        x.efficiencyTarget != y.efficiencyTarget ||
        x.efficiencyTargetYear != y.efficiencyTargetYear || x.climate != y.climate ||
        x.etpFactor != y.etpFactor || x.rainFactor != y.rainFactor)
        return false;
    return windowOf(a.resolved, keys::kAgricultureWindow) ==
           windowOf(b.resolved, keys::kAgricultureWindow);
}

// Every other sector's years, then the years the planner compares.
void finish(Prepared &prepared, const AgricultureOutcome &agricultureOutcome,
            const LocaleSettings &locale)
{
    ScenarioRun &run = prepared.run;
    const ResolvedScenario &resolved = prepared.resolved;
    const HorizonDrivers &drivers = prepared.drivers;
    const projection::PlanningHorizon &horizon = drivers.horizon;
    std::vector<SupplyYear> supply;
    guarded(run.errors[SupplySector], run.errorWheres[SupplySector], SupplySector, [&] {
        supply =
            supplyOverHorizon(supply::readInputs(windowOf(resolved, keys::kSupplyWindow), locale),
                              horizon, drivers.supply, locale);
    });
    std::vector<LivestockYear> livestock;
    guarded(run.errors[LivestockSector], run.errorWheres[LivestockSector], LivestockSector, [&] {
        livestock = livestockOverHorizon(
            livestock::readInputs(windowOf(resolved, keys::kLivestockWindow), locale), horizon,
            drivers.livestock, locale);
    });
    const std::vector<AgricultureYear> &agriculture = agricultureOutcome.years;
    run.errors[AgricultureSector] = agricultureOutcome.error;
    run.errorWheres[AgricultureSector] = agricultureOutcome.where;

    std::vector<DilutionYear> dilution;
    const int dilutionSector = int(SectorId::Dilution);
    std::vector<long double> factors;
    const QString noFactors = drivers.dilution == DilutionPath::WithPopulation
                                  ? populationFactors(supply, factors)
                                  : QString();
    if (!noFactors.isEmpty())
        run.dilutionError = withCaption(dilutionSector, noFactors);
    else
        guarded(run.dilutionError, run.dilutionErrorWhere, dilutionSector, [&] {
            dilution = dilutionOverHorizon(
                dilution::readInputs(windowOf(resolved, keys::kDilutionWindow), locale), horizon,
                drivers.dilution, factors, locale);
        });

    for (int i = 0; i < horizon.years(); ++i) {
        const std::size_t at = std::size_t(i);
        HorizonYear year;
        year.year = horizon.baseYear + i;
        const int days = QDate(year.year, 1, 1).daysInYear();
        if (run.sectorComputed(SupplySector)) {
            year.sectors[SupplySector] = constantDemand(supply[at].daily, supply[at].annual);
            year.totalPopulation = supply[at].totalPopulation;
            year.servedPopulation = supply[at].servedPopulation;
        }
        if (run.sectorComputed(LivestockSector))
            year.sectors[LivestockSector] =
                constantDemand(livestock[at].daily, livestock[at].annual);
        const bool withAgriculture = run.sectorComputed(AgricultureSector);
        if (withAgriculture) {
            const AgricultureYear &a = agriculture[at];
            DemandFigures &figures = year.sectors[AgricultureSector];
            figures.annual = a.annual;
            figures.meanDaily = a.annual / days;
            figures.peakDaily =
                a.daily.empty() ? 0 : *std::max_element(a.daily.begin(), a.daily.end());
        }
        for (int s = 0; s < kSummarySectors; ++s)
            if (run.sectorComputed(s))
                year.total.annual += year.sectors[std::size_t(s)].annual;
        year.total.meanDaily = year.total.annual / days;
        // The sectors that are the same every day add up as the summary adds them, day by day
        // in the order of its columns: the peak is the largest of those days, not the sum of
        // the sectors' peaks.
        for (int d = 0; d < days; ++d) {
            long double day = 0;
            for (int s = 0; s < kSummarySectors; ++s) {
                if (!run.sectorComputed(s))
                    continue;
                day += s == AgricultureSector ? agriculture[at].daily[std::size_t(d)]
                                              : year.sectors[std::size_t(s)].meanDaily;
            }
            if (d == 0 || day > year.total.peakDaily)
                year.total.peakDaily = day;
        }
        if (run.dilutionError.isEmpty()) {
            year.dilutionMaximum = dilution[at].maximum;
            year.dilutionMaximumText = dilution[at].maximumText;
            year.dilutionPoint = dilution[at].maximumPoint;
        }
        run.years.push_back(year);
    }
}

// Runs `work(i)` for i from 0 to count - 1: the caller's thread takes its share while a pool
// of its own takes the others, so that a horizon run from a pooled task never waits on its
// own pool.
template <class Work> void inParallel(int count, Work work)
{
    if (count <= 0)
        return;
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, std::min(count - 1, QThread::idealThreadCount() - 1)));
    for (int i = 1; i < count; ++i)
        pool.start(QRunnable::create([&work, i] { work(i); }));
    work(0);
    pool.waitForDone();
}

} // namespace

ScenarioRun runScenario(const Study &study, int scenario, const LocaleSettings &locale,
                        const std::atomic<bool> *cancelled)
{
    Prepared prepared = prepare(study, scenario);
    if (!prepared.run.computed() || stopped(cancelled))
        return prepared.run;
    const AgricultureOutcome agriculture = agricultureOf(prepared, locale, cancelled);
    if (stopped(cancelled))
        return prepared.run;
    finish(prepared, agriculture, locale);
    return prepared.run;
}

std::vector<ScenarioRun> runHorizon(const Study &study, const LocaleSettings &locale,
                                    const std::atomic<bool> *cancelled)
{
    if (!study.horizon || study.horizon->scenarios.empty())
        return {};
    const int count = int(study.horizon->scenarios.size());
    std::vector<Prepared> prepared;
    for (int s = 0; s < count; ++s)
        prepared.push_back(prepare(study, s));

    // The agriculture's daily simulations are nearly all the work: each distinct one is run
    // once, and the scenarios that share it take its years.
    std::vector<int> sharedWith(static_cast<std::size_t>(count), -1);
    std::vector<int> distinct;
    for (int s = 0; s < count; ++s) {
        if (!prepared[std::size_t(s)].run.computed())
            continue;
        for (int d : distinct)
            if (sameAgriculture(prepared[std::size_t(s)], prepared[std::size_t(d)])) {
                sharedWith[std::size_t(s)] = d;
                break;
            }
        if (sharedWith[std::size_t(s)] < 0) {
            sharedWith[std::size_t(s)] = s;
            distinct.push_back(s);
        }
    }
    std::vector<AgricultureOutcome> outcomes(static_cast<std::size_t>(count));
    inParallel(int(distinct.size()), [&](int i) {
        const std::size_t s = std::size_t(distinct[std::size_t(i)]);
        if (!stopped(cancelled))
            outcomes[s] = agricultureOf(prepared[s], locale, cancelled);
    });
    inParallel(count, [&](int i) {
        const std::size_t s = std::size_t(i);
        if (prepared[s].run.computed() && !stopped(cancelled))
            finish(prepared[s], outcomes[std::size_t(sharedWith[s])], locale);
    });

    std::vector<ScenarioRun> runs;
    for (Prepared &p : prepared)
        runs.push_back(std::move(p.run));
    return runs;
}

std::vector<ScenarioDifference> differencesFromBase(const std::vector<ScenarioRun> &runs)
{
    std::vector<ScenarioDifference> rows;
    if (runs.empty() || !runs.front().computed() || runs.front().years.empty())
        return rows;
    const ScenarioRun &base = runs.front();
    const auto baseTotalIn = [&base](int year, long double *total) {
        const int at = year - base.years.front().year;
        if (at < 0 || at >= int(base.years.size()))
            return false;
        *total = base.years[std::size_t(at)].total.annual;
        return true;
    };
    const auto percentOf = [](long double difference, long double of) {
        return of != 0 ? difference / of * 100 : 0;
    };
    for (std::size_t s = 1; s < runs.size(); ++s) {
        const ScenarioRun &run = runs[s];
        ScenarioDifference row;
        row.name = run.name;
        if (!run.computed() || run.years.empty()) {
            row.note = run.problem;
            row.computed = false;
            rows.push_back(row);
            continue;
        }
        if (run.isPartial())
            row.note = run.partialNote();
        else if (base.isPartial())
            row.note = QStringLiteral("%1: %2").arg(base.name, base.partialNote());
        bool first = true;
        for (const HorizonYear &year : run.years) {
            long double against = 0;
            if (!baseTotalIn(year.year, &against))
                continue;
            const long double difference = year.total.annual - against;
            row.finalTotal = year.total.annual;
            row.finalDifference = difference;
            row.finalPercent = percentOf(difference, against);
            if (first || std::fabs(difference) > std::fabs(row.largestDifference)) {
                row.largestYear = year.year;
                row.largestDifference = difference;
                row.largestPercent = row.finalPercent;
            }
            first = false;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace tavi::horizon
