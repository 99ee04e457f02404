#pragma once

#include "core/base/LocaleSettings.h"
#include "core/region/Region.h"
#include "core/summary/MunicipalSummary.h"

#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// A region computed: every municipality's study by the runs a single study is computed with
// (summarizeStudy, runHorizon, computeBalance), side by side on the machine's cores, then
// the totals by group and for the region.
namespace tavi::region
{

// What the region keeps of a municipality's final horizon year in one scenario.
struct ScenarioFinal {
    QString scenario;
    QString problem; // why the scenario could not be computed; then no figures
    int year = 0;
    std::array<long double, kSummarySectors> annual{};
    long double total = 0;
    bool partial = false;
};

struct MunicipalityResult {
    QString code;
    QString name; // "São Paulo (SP)"
    QString group;
    // The summary's figures and texts, exactly as the study computed alone gives them
    // (annual m3 per sector, shares, the peak day, the total); each sector that failed has
    // its message in `errors`, "Agricultura: ...", and is left out of the total, as in the
    // summary.
    std::array<long double, kSummarySectors> annual{};
    std::array<QString, kSummarySectors> annualTexts;
    std::array<bool, kSummarySectors> computed{};
    std::array<long double, kSummarySectors> shares{};
    std::array<QString, kSummarySectors> shareTexts;
    long double annualTotal = 0;
    QString annualTotalText;
    int peakDay = 1;
    long double peakTotal = 0;
    QString peakTotalText;
    QString partialNote; // "total parcial, sem Agricultura"; "" when whole
    QString dilutionMaximumText;
    QStringList errors;
    QStringList errorPlaces;
    // The horizon's final year, scenario by scenario; none without a horizon.
    std::vector<ScenarioFinal> horizon;
    // The water balance's mean-day ratio against the reference flow, when the municipality
    // has a reference flow or a balance: ratio, its text, the class and its name. `balanceProblem`
    // says why there is none for a municipality that has a balance that cannot be computed.
    bool hasBalance = false;
    QString balanceProblem;
    long double referenceFlow = 0; // m3/s
    long double ratio = 0;
    QString ratioText;
    int stressClass = 0;
    QString stressClassName;

    bool failed() const { return !errors.isEmpty(); }
};

// The totals of a set of municipalities: a group, or the whole region (group "").
struct RegionTotal {
    QString group;
    int municipalities = 0;
    // Those with a sector that failed: their other sectors are in the totals, and the totals
    // say they are partial.
    int partialMunicipalities = 0;
    std::array<long double, kSummarySectors> annual{};
    long double annualTotal = 0;
    std::array<long double, kSummarySectors> shares{};
    // Each scenario's final-year total, in the template's scenario order.
    std::vector<ScenarioFinal> horizon;
};

struct RegionResults {
    // In the region's order.
    std::vector<MunicipalityResult> municipalities;
    // By group, in the order of their names; municipalities without a group under "Sem grupo".
    std::vector<RegionTotal> groups;
    RegionTotal region;
    // The scenario names of the horizon, when any municipality has one.
    QStringList scenarios;
    bool cancelled = false;

    // The municipalities that failed, "Nome (UF): mensagem", in the region's order.
    QStringList failures() const;
};

// One municipality, exactly as its study computed alone. Nothing throws: what fails is in the
// result.
MunicipalityResult computeMunicipality(const Region &region, int index,
                                       const LocaleSettings &locale = LocaleSettings::current());

// Every municipality on a thread pool. `progress(done, total)` is called from the pool's
// threads as municipalities finish; when `cancelled` turns true the work stops early and the
// results say so (the municipalities not reached are left out). Each municipality's daily
// series are let go as soon as its figures are taken, so memory stays small.
RegionResults computeRegion(const Region &region,
                            const LocaleSettings &locale = LocaleSettings::current(),
                            const std::atomic<bool> *cancelled = nullptr,
                            const std::function<void(int done, int total)> &progress = {});

// The totals of already computed municipalities (what computeRegion ends with).
void totalRegion(RegionResults &results);

} // namespace tavi::region
