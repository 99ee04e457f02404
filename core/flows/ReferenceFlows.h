#pragma once

#include "core/flows/FlowSeries.h"

#include <QString>

#include <optional>
#include <vector>

// The reference flows water plans and grants are measured against: Q90 and Q95 of the
// flow-duration curve, Q7,10 from the annual minima of the 7-day mean, and the long-term mean.
namespace tavi::flows
{

// The flow-duration curve: every day with a value, largest flow first, each with its
// permanence by the Weibull plotting position m / (n + 1), in percent.
struct DurationPoint {
    long double permanence = 0;
    long double flow = 0;
};
std::vector<DurationPoint> durationCurve(const FlowSeries &series);
// The flow of a permanence (95 for Q95) on the curve, interpolated between its points; none
// when the curve is empty or does not reach it.
std::optional<long double> flowAtPermanence(const std::vector<DurationPoint> &curve,
                                            long double permanence);

// A year's share of the series, calendar or hydrological (starting in `firstMonth`).
struct SeriesYear {
    int year = 0; // the calendar year its first month falls in
    int days = 0;
    int missing = 0;
    bool used = false; // at most 5 % of its days missing
    // The lowest mean of 7 consecutive days within the year; none when not used.
    std::optional<long double> minimum7;
};
constexpr long double kMostMissingShare = 0.05L;
// Every year the series reaches into, whole: the days of a year before the series begins or
// after it ends count as missing, so a year the series only partly covers is left out.
std::vector<SeriesYear> seriesYears(const FlowSeries &series, int firstMonth = 1);

enum class MinimaFit { Weibull, LogNormal3, Empirical };

// The fits of the annual minima and the 10-year minimum each gives.
struct MinimaFits {
    // Weibull of minima, 2 parameters by the method of moments: F(x) = 1 - exp(-(x/beta)^alpha).
    long double weibullAlpha = 0;
    long double weibullBeta = 0;
    std::optional<long double> weibull;
    // Log-normal with 3 parameters: ln(x - a) normal with mean mu and deviation sigma.
    long double logNormalA = 0;
    long double logNormalMu = 0;
    long double logNormalSigma = 0;
    std::optional<long double> logNormal;
    // Why the log-normal has no lower bound (a = 0) or no 10-year minimum, when it has not.
    QString logNormalNote;
    // The empirical 10-year minimum, by the Weibull plotting position of the sorted minima.
    std::optional<long double> empirical;
};

// Fits the annual minima (at least two), and gives the fits' 10-year minima.
MinimaFits fitMinima(const std::vector<long double> &minima);
// The annual minimum a fit gives for a non-exceedance probability (0.1 for the 10-year
// minimum), for drawing the fit against the minima; none where the fit has no value (fewer
// than two minima, a probability outside 0 to 1, or below the empirical's reach).
std::optional<long double> fitQuantile(const MinimaFits &fits, MinimaFit fit,
                                       const std::vector<long double> &minima,
                                       long double probability);
// Non-exceedance probability of the 10-year minimum.
constexpr long double kQ710Probability = 0.1L;

// Q7,10 needs at least this many complete years.
constexpr int kFewestYearsForQ710 = 10;

struct ReferenceFlows {
    std::optional<long double> q90;
    std::optional<long double> q95;
    std::optional<long double> qmlt;
    std::vector<SeriesYear> years;
    MinimaFits fits;
    MinimaFit chosen = MinimaFit::Weibull;
    // The chosen fit's Q7,10, or why there is none ("são precisos 10 anos completos; a série
    // tem 7").
    std::optional<long double> q710;
    QString q710Problem;
};

// Throws TaviError when `firstMonth` is not a month.
ReferenceFlows referenceFlows(const FlowSeries &series, int firstMonth = 1,
                              MinimaFit fit = MinimaFit::Weibull);

} // namespace tavi::flows
