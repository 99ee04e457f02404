#pragma once

#include "core/base/LocaleSettings.h"
#include "core/flows/MonthlyFlows.h"
#include "core/flows/ReferenceFlows.h"
#include "core/study/Study.h"
#include "core/summary/MunicipalSummary.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The water balance: the municipality's demand set against what its river gives. Demand is the
// summary's (the consuming sectors, m3/day turned into m3/s), the dilution flow beside it; the
// river's flow is the reference flow the planner chose, of which a share may be granted.
namespace tavi::balance
{

enum class ReferenceKind { Q90, Q95, Q710, Qmlt, Typed };

// The planner's choices, read from the study's texts.
struct BalanceChoices {
    ReferenceKind reference = ReferenceKind::Q95;
    std::optional<long double> typedFlow; // m3/s, for ReferenceKind::Typed
    long double grantShare = 50;          // percent of the reference flow, above 0 up to 100
    int firstMonth = 1;                   // of the hydrological year
    flows::MinimaFit fit = flows::MinimaFit::Weibull;
};
// Throws TaviError with the choice's Portuguese name and what is wrong with it ("Fração
// outorgável: '120' deve estar entre 0 e 100").
BalanceChoices readChoices(const StudyBalance &balance);

// "Q90", "Q95", "Q7,10", "QMLT", "Vazão digitada".
QString referenceName(ReferenceKind kind);

// The national classes of a river's use: the demand's share of the reference flow.
enum class StressClass { Excellent, Comfortable, Worrying, Critical, VeryCritical };
// Below 5 % excellent; from 5 % below 10 % comfortable; from 10 % below 20 % worrying; from
// 20 % up to 40 % critical; above 40 % very critical.
StressClass stressClass(long double percent);
QString stressClassName(StressClass stress);   // "Excelente", ..., "Muito crítica"
QString stressClassRange(StressClass stress);  // "abaixo de 5 %", "5 a 10 %", ...
QString stressClassColour(StressClass stress); // "#rrggbb"
// The classes from the least to the most stressed, for legends.
constexpr std::array<StressClass, 5> kStressClasses = {
    StressClass::Excellent, StressClass::Comfortable, StressClass::Worrying, StressClass::Critical,
    StressClass::VeryCritical};

// A demand against the reference flow and against the share of it that may be granted.
struct Ratio {
    long double demand = 0;  // m3/s
    long double percent = 0; // of the reference flow
    StressClass stress = StressClass::Excellent;
    long double grantUse = 0; // percent of the flow that may be granted
};
// `reference` and `available` above 0.
Ratio ratioOf(long double demand, long double reference, long double available);

constexpr long double kSecondsPerDay = 86400;

struct MonthBalance {
    QString label;          // "Jan" ... "Dez"
    long double demand = 0; // the month's mean day of the consuming sectors, m3/s
    Ratio ofReference;
    // The month's own Q95, and the demand against it, when the series has enough of that
    // month (MonthlyFlows.h).
    std::optional<long double> monthQ95;
    std::optional<Ratio> ofMonthQ95;
};

struct WaterBalance {
    // Why there is no balance, in Portuguese: a choice that cannot be read, no series and no
    // typed flow, or a reference flow the series cannot give (Q7,10's reason). The river's
    // figures below are still there when the series is.
    QString problem;
    BalanceChoices choices;
    // The series' reference flows and monthly curves; none without a series.
    std::optional<flows::ReferenceFlows> flows;
    std::array<flows::MonthFlows, 12> monthFlows{};
    // The series' flow-duration curve, for its chart (BalanceCharts.h); empty without a series.
    std::vector<flows::DurationPoint> durationCurve;

    QString referenceName;
    long double reference = 0; // m3/s
    long double available = 0; // the share of it that may be granted, m3/s

    // The consuming sectors' mean day and largest day, and the same with the dilution flow.
    Ratio meanDay;
    Ratio peakDay;
    bool dilutionComputed = false;
    long double dilution = 0; // m3/s made unavailable
    Ratio meanDayWithDilution;
    Ratio peakDayWithDilution;
    std::vector<MonthBalance> months;

    // The summary's: what the demand leaves out ("total parcial, sem Agricultura"), and its
    // sectors' messages.
    QString partialNote;
    QStringList errors;

    bool computed() const { return problem.isEmpty(); }
};

// The balance of a study whose summary is at hand (the summary window's, the command line's):
// its balance inputs, its agriculture's months. A study without a balance gives a problem.
// Nothing throws.
WaterBalance computeBalance(const Study &study, const MunicipalSummary &summary);
// The same, computing the summary (the current public supply demand) first.
WaterBalance balanceOfStudy(const Study &study,
                            const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi::balance
