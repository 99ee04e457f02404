#include "core/region/RegionRun.h"

#include "core/balance/WaterBalance.h"
#include "core/base/TaviError.h"
#include "core/horizon/HorizonRun.h"
#include "core/numbers/ReadableNumber.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <map>
#include <optional>

namespace tavi::region
{

namespace
{

const QString kNotComputed = QStringLiteral("—");
const QString kNoGroup = QStringLiteral("Sem grupo");

bool stopped(const std::atomic<bool> *cancelled)
{
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

// The figures and texts the summary window shows for the study (fillFiguresTable): the same
// functions and places, so that a municipality reads in the region as it reads alone.
void takeSummary(MunicipalityResult &result, const MunicipalSummary &summary,
                 const LocaleSettings &locale)
{
    for (int s = 0; s < kSummarySectors; ++s) {
        const std::size_t at = std::size_t(s);
        const SectorSeries &series = summary.sectors[at];
        result.computed[at] = series.computed();
        if (series.computed()) {
            result.annual[at] = series.annual;
            result.shares[at] = summary.shares[at];
            result.annualTexts[at] = formatReadable(series.annual, kVolumeDecimals, locale);
            result.shareTexts[at] = formatReadable(summary.shares[at], kShareDecimals, locale);
        } else {
            result.annualTexts[at] = kNotComputed;
            result.shareTexts[at] = kNotComputed;
        }
    }
    result.annualTotal = summary.annualTotal;
    result.annualTotalText = formatReadable(summary.annualTotal, kVolumeDecimals, locale);
    result.peakDay = summary.peakDay;
    result.peakTotal = summary.peakTotal;
    result.peakTotalText = formatReadable(summary.peakTotal, kVolumeDecimals, locale);
    result.partialNote = summary.partialNote();
    if (summary.dilutionComputed())
        result.dilutionMaximumText = formatReadable(summary.dilutionMaximum, kFlowDecimals, locale);
    result.errors = summary.errors();
    result.errorPlaces = summary.errorPlaces();
}

ScenarioFinal finalOf(const horizon::ScenarioRun &run)
{
    ScenarioFinal final;
    final.scenario = run.name;
    if (!run.computed()) {
        final.problem = run.problem;
        return final;
    }
    if (run.years.empty()) {
        final.problem = QStringLiteral("O cálculo do cenário foi interrompido.");
        return final;
    }
    const horizon::HorizonYear &last = run.years.back();
    final.year = last.year;
    for (int s = 0; s < kSummarySectors; ++s)
        if (run.sectorComputed(s))
            final.annual[std::size_t(s)] = last.sectors[std::size_t(s)].annual;
    final.total = last.total.annual;
    final.partial = run.isPartial();
    return final;
}

void takeBalance(MunicipalityResult &result, const Study &study, const MunicipalSummary &summary,
                 const LocaleSettings &locale)
{
    const balance::WaterBalance balance = balance::computeBalance(study, summary);
    if (!balance.computed()) {
        result.balanceProblem = balance.problem;
        return;
    }
    result.referenceFlow = balance.reference;
    result.ratio = balance.meanDay.percent;
    result.ratioText = formatReadable(balance.meanDay.percent, kShareDecimals, locale);
    result.stressClass = int(balance.meanDay.stress);
    result.stressClassName = balance::stressClassName(balance.meanDay.stress);
}

void compute(MunicipalityResult &result, const Region &region, int index,
             const LocaleSettings &locale, const std::atomic<bool> *cancelled)
{
    const Municipality &municipality = region.municipalities[std::size_t(index)];
    const Study study = municipalityStudy(region, index);
    // The summary and its daily series live only in here: what the region keeps of it is a
    // few figures and texts, so that thousands of municipalities fit in memory.
    const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current, locale);
    takeSummary(result, summary, locale);
    result.hasBalance = !municipality.referenceFlow.trimmed().isEmpty() || study.balance;
    if (result.hasBalance)
        takeBalance(result, study, summary, locale);
    // The scenarios one after another: the region already keeps every core busy, and a pool
    // per municipality would only crowd them (runHorizon gives the same figures).
    if (study.horizon)
        for (int s = 0; s < int(study.horizon->scenarios.size()) && !stopped(cancelled); ++s)
            result.horizon.push_back(finalOf(horizon::runScenario(study, s, locale, cancelled)));
}

MunicipalityResult computeOne(const Region &region, int index, const LocaleSettings &locale,
                              const std::atomic<bool> *cancelled)
{
    MunicipalityResult result;
    const Municipality &municipality = region.municipalities[std::size_t(index)];
    result.code = municipality.code;
    result.name = municipality.displayName();
    result.group = municipality.group;
    // The runs keep their sectors' failures to themselves; what escapes them (a study the
    // overrides cannot make) fails this municipality alone.
    const auto failWhole = [&result](const QString &message, const QString &where) {
        MunicipalityResult failed;
        failed.code = result.code;
        failed.name = result.name;
        failed.group = result.group;
        result = std::move(failed);
        result.annualTexts.fill(kNotComputed);
        result.shareTexts.fill(kNotComputed);
        result.errors << message;
        result.errorPlaces << where;
    };
    try {
        compute(result, region, index, locale, cancelled);
    } catch (const TaviError &e) {
        failWhole(e.message(), e.where());
    } catch (const std::exception &e) {
        failWhole(QString::fromLocal8Bit(e.what()), QString());
    }
    return result;
}

// Sums each scenario's final year over a set of municipalities. A municipality without that
// scenario's figures leaves the sum partial.
std::vector<ScenarioFinal> horizonTotals(const std::vector<const MunicipalityResult *> &members,
                                         const QStringList &scenarios)
{
    std::vector<ScenarioFinal> totals;
    for (const QString &name : scenarios) {
        ScenarioFinal total;
        total.scenario = name;
        int counted = 0;
        for (const MunicipalityResult *m : members) {
            const auto found =
                std::find_if(m->horizon.begin(), m->horizon.end(),
                             [&name](const ScenarioFinal &f) { return f.scenario == name; });
            if (found == m->horizon.end() || !found->problem.isEmpty()) {
                total.partial = true;
                continue;
            }
            ++counted;
            total.year = std::max(total.year, found->year);
            for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s)
                total.annual[s] += found->annual[s];
            total.total += found->total;
            total.partial = total.partial || found->partial;
        }
        if (counted == 0) {
            total.partial = false;
            total.problem = QStringLiteral("Nenhum município tem este cenário calculado.");
        }
        totals.push_back(total);
    }
    return totals;
}

RegionTotal totalOf(const QString &group, const std::vector<const MunicipalityResult *> &members,
                    const QStringList &scenarios)
{
    RegionTotal total;
    total.group = group;
    total.municipalities = int(members.size());
    for (const MunicipalityResult *m : members) {
        bool partial = false;
        for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s) {
            if (m->computed[s])
                total.annual[s] += m->annual[s];
            else
                partial = true;
        }
        total.annualTotal += m->annualTotal;
        if (partial)
            ++total.partialMunicipalities;
    }
    for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s)
        total.shares[s] = total.annualTotal != 0 ? total.annual[s] / total.annualTotal * 100 : 0;
    total.horizon = horizonTotals(members, scenarios);
    return total;
}

} // namespace

QStringList RegionResults::failures() const
{
    QStringList out;
    for (const MunicipalityResult &m : municipalities)
        if (m.failed())
            out << m.name + QStringLiteral(": ") + m.errors.join(QStringLiteral("; "));
    return out;
}

MunicipalityResult computeMunicipality(const Region &region, int index,
                                       const LocaleSettings &locale)
{
    return computeOne(region, index, locale, nullptr);
}

RegionResults computeRegion(const Region &region, const LocaleSettings &locale,
                            const std::atomic<bool> *cancelled,
                            const std::function<void(int, int)> &progress)
{
    const int count = int(region.municipalities.size());
    std::vector<std::optional<MunicipalityResult>> computed(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    int done = 0;
    QMutex doneLock;
    const auto work = [&] {
        for (int i = next++; i < count && !stopped(cancelled); i = next++) {
            MunicipalityResult result = computeOne(region, i, locale, cancelled);
            // One caught halfway by the cancel may lack what it never reached.
            if (stopped(cancelled))
                return;
            computed[std::size_t(i)] = std::move(result);
            QMutexLocker locker(&doneLock);
            ++done;
            if (progress)
                progress(done, count);
        }
    };
    // The caller's thread takes a share, as the horizon's runs do, so that a region computed
    // from a pooled task never waits on a pool it is holding.
    const int workers = std::max(1, std::min(count, QThread::idealThreadCount()));
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, workers - 1));
    for (int w = 1; w < workers; ++w)
        pool.start(QRunnable::create(work));
    work();
    pool.waitForDone();

    RegionResults results;
    results.cancelled = stopped(cancelled);
    for (std::optional<MunicipalityResult> &result : computed)
        if (result)
            results.municipalities.push_back(std::move(*result));
    totalRegion(results);
    return results;
}

void totalRegion(RegionResults &results)
{
    results.scenarios.clear();
    for (const MunicipalityResult &m : results.municipalities)
        for (const ScenarioFinal &final : m.horizon)
            if (!results.scenarios.contains(final.scenario))
                results.scenarios << final.scenario;

    // Named groups in the order of their names; those without one last, under "Sem grupo".
    const auto byName = [](const QString &a, const QString &b) {
        const int order = QString::localeAwareCompare(a, b);
        return order != 0 ? order < 0 : a < b;
    };
    std::map<QString, std::vector<const MunicipalityResult *>, decltype(byName)> named(byName);
    std::vector<const MunicipalityResult *> ungrouped, all;
    for (const MunicipalityResult &m : results.municipalities) {
        all.push_back(&m);
        const QString group = m.group.trimmed();
        if (group.isEmpty())
            ungrouped.push_back(&m);
        else
            named[group].push_back(&m);
    }
    results.groups.clear();
    for (const auto &[group, members] : named)
        results.groups.push_back(totalOf(group, members, results.scenarios));
    if (!ungrouped.empty())
        results.groups.push_back(totalOf(kNoGroup, ungrouped, results.scenarios));
    results.region = totalOf(QString(), all, results.scenarios);
}

} // namespace tavi::region
