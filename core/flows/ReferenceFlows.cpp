#include "core/flows/ReferenceFlows.h"

#include "core/numbers/ReadableNumber.h"

#include "core/base/TaviError.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tavi::flows
{

namespace
{

constexpr int kWindowDays = 7;

// The days a 7-day mean covers: a window is only taken when every one of its days has a value,
// so a gap never shortens a window nor lets a mean of fewer days pass for a 7-day mean.
std::optional<long double> lowestWindowMean(const FlowSeries &series, qint64 from, qint64 to)
{
    std::optional<long double> lowest;
    const qint64 size = qint64(series.days.size());
    from = std::max<qint64>(from, 0);
    to = std::min<qint64>(to, size - 1);
    int run = 0; // days with values ending at i, so a window is whole once it reaches 7
    for (qint64 i = from; i <= to; ++i) {
        run = series.days[std::size_t(i)] ? run + 1 : 0;
        if (run < kWindowDays)
            continue;
        // Summed afresh rather than slid, so that no rounding carries over from window to window
        // across decades of days.
        long double sum = 0;
        for (qint64 j = i - kWindowDays + 1; j <= i; ++j)
            sum += *series.days[std::size_t(j)];
        const long double mean = sum / kWindowDays;
        if (!lowest || mean < *lowest)
            lowest = mean;
    }
    return lowest;
}

long double mean(const std::vector<long double> &values)
{
    long double sum = 0;
    for (long double v : values)
        sum += v;
    return sum / values.size();
}

// The sample deviation with n - 1, the usual estimator in low-flow studies.
long double deviation(const std::vector<long double> &values, long double m)
{
    long double sum = 0;
    for (long double v : values)
        sum += (v - m) * (v - m);
    return std::sqrt(sum / (values.size() - 1));
}

// The bias-adjusted sample skewness n / ((n-1)(n-2)) * sum(((x - m) / s)^3), s with n - 1:
// the coefficient hydrology texts pair with the log-normal's moments.
long double skewness(const std::vector<long double> &values, long double m, long double s)
{
    const long double n = values.size();
    long double sum = 0;
    for (long double v : values) {
        const long double z = (v - m) / s;
        sum += z * z * z;
    }
    return n / ((n - 1) * (n - 2)) * sum;
}

// CV² of a Weibull with shape alpha: Γ(1+2/α) / Γ(1+1/α)² - 1, through the logarithm of the
// gamma function so that small shapes do not overflow, and expm1 so that large shapes (a CV
// near 0) keep their digits.
long double weibullCv2(long double alpha)
{
    return std::expm1(std::lgamma(1 + 2 / alpha) - 2 * std::lgamma(1 + 1 / alpha));
}

// The shape whose CV² is `cv2`. CV² falls as the shape grows, so a bisection on the shape's
// logarithm always converges; the bracket covers any CV a river's minima can have (from about
// 1e-4 to beyond 10^40).
long double weibullShape(long double cv2)
{
    long double low = std::log(1e-2L);
    long double high = std::log(1e4L);
    for (int i = 0; i < 200 && high - low > 1e-18L; ++i) {
        const long double middle = (low + high) / 2;
        if (weibullCv2(std::exp(middle)) > cv2)
            low = middle;
        else
            high = middle;
    }
    return std::exp((low + high) / 2);
}

// The sorted minima at their plotting positions m / (n + 1), joined by straight lines; none
// outside the first and last position, where the sample says nothing.
std::optional<long double> empiricalQuantile(const std::vector<long double> &minima,
                                             long double probability)
{
    std::vector<long double> sorted = minima;
    std::sort(sorted.begin(), sorted.end());
    const long double n = sorted.size();
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        const long double p0 = (i + 1) / (n + 1);
        const long double p1 = (i + 2) / (n + 1);
        if (p0 <= probability && probability <= p1)
            return sorted[i] + (probability - p0) / (p1 - p0) * (sorted[i + 1] - sorted[i]);
    }
    return std::nullopt;
}

// The standard normal quantile: Acklam's rational approximation (relative error below 1.2e-9)
// polished by two Halley steps on erfc, which bring it to the precision of long double, so that
// the log-normal's curve passes through its own Q7,10 at 0.1.
long double normalQuantile(long double p)
{
    static const long double a[] = {-3.969683028665376e+01L, 2.209460984245205e+02L,
                                    -2.759285104469687e+02L, 1.383577518672690e+02L,
                                    -3.066479806614716e+01L, 2.506628277459239e+00L};
    static const long double b[] = {-5.447609879822406e+01L, 1.615858368580409e+02L,
                                    -1.556989798598866e+02L, 6.680131188771972e+01L,
                                    -1.328068155288572e+01L};
    static const long double c[] = {-7.784894002430293e-03L, -3.223964580411365e-01L,
                                    -2.400758277161838e+00L, -2.549732539343734e+00L,
                                    4.374664141464968e+00L,  2.938163982698783e+00L};
    static const long double d[] = {7.784695709041462e-03L, 3.224671290700398e-01L,
                                    2.445134137142996e+00L, 3.754408661907416e+00L};
    constexpr long double kLow = 0.02425L;
    long double x = 0;
    if (p < kLow) {
        const long double q = std::sqrt(-2 * std::log(p));
        x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    } else if (p <= 1 - kLow) {
        const long double q = p - 0.5L;
        const long double r = q * q;
        x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
            (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
    } else {
        const long double q = std::sqrt(-2 * std::log1p(-p));
        x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    }
    const long double sqrt2 = std::sqrt(2.0L);
    const long double sqrt2pi = std::sqrt(2 * 3.14159265358979323846264338327950288L);
    for (int step = 0; step < 2; ++step) {
        const long double e = std::erfc(-x / sqrt2) / 2 - p;
        const long double u = e * sqrt2pi * std::exp(x * x / 2);
        x -= u / (1 + x * u / 2);
    }
    return x;
}

QString yearList(const std::vector<SeriesYear> &years)
{
    QStringList left;
    for (const SeriesYear &year : years) {
        if (!year.used)
            left << QString::number(year.year);
    }
    return left.join(QStringLiteral(", "));
}

} // namespace

std::vector<DurationPoint> durationCurve(const FlowSeries &series)
{
    std::vector<long double> flows;
    flows.reserve(series.days.size());
    for (const std::optional<long double> &day : series.days) {
        if (day)
            flows.push_back(*day);
    }
    std::sort(flows.begin(), flows.end(), std::greater<long double>());
    // Equal flows each keep their own rank: the curve is then the plain Weibull position of
    // each day, and the interpolation between equal flows gives that flow.
    const long double n = flows.size();
    std::vector<DurationPoint> curve(flows.size());
    for (std::size_t i = 0; i < flows.size(); ++i)
        curve[i] = {100 * (i + 1) / (n + 1), flows[i]};
    return curve;
}

std::optional<long double> flowAtPermanence(const std::vector<DurationPoint> &curve,
                                            long double permanence)
{
    if (curve.empty() || permanence < curve.front().permanence ||
        permanence > curve.back().permanence)
        return std::nullopt;
    const auto above = std::lower_bound(
        curve.begin(), curve.end(), permanence,
        [](const DurationPoint &point, long double p) { return point.permanence < p; });
    if (above->permanence == permanence)
        return above->flow;
    const DurationPoint &before = *(above - 1);
    const long double share =
        (permanence - before.permanence) / (above->permanence - before.permanence);
    return before.flow + share * (above->flow - before.flow);
}

std::vector<SeriesYear> seriesYears(const FlowSeries &series, int firstMonth)
{
    std::vector<SeriesYear> years;
    if (series.isEmpty())
        return years;
    const auto yearOf = [firstMonth](const QDate &date) {
        return date.month() >= firstMonth ? date.year() : date.year() - 1;
    };
    const qint64 size = qint64(series.days.size());
    for (int y = yearOf(series.first); y <= yearOf(series.last()); ++y) {
        const QDate start(y, firstMonth, 1);
        const qint64 from = series.first.daysTo(start);
        const qint64 to = series.first.daysTo(QDate(y + 1, firstMonth, 1)) - 1;
        SeriesYear year;
        year.year = y;
        year.days = int(to - from + 1);
        year.missing = year.days;
        for (qint64 i = std::max<qint64>(from, 0); i <= std::min(to, size - 1); ++i) {
            if (series.days[std::size_t(i)])
                --year.missing;
        }
        year.used = year.missing <= kMostMissingShare * year.days;
        if (year.used)
            year.minimum7 = lowestWindowMean(series, from, to);
        years.push_back(year);
    }
    return years;
}

MinimaFits fitMinima(const std::vector<long double> &minima)
{
    MinimaFits fits;
    if (minima.size() < 2)
        return fits;
    const long double m = mean(minima);
    const long double s = deviation(minima, m);

    if (s == 0 || m <= 0) {
        // Minima all alike (a regulated river, or one dry every year): every fit is that flow.
        // The shapes are left at 0 rather than an infinite one a planner could not read.
        fits.weibullBeta = m;
        fits.weibull = fits.logNormal = fits.empirical = m;
        fits.logNormalNote = QStringLiteral("mínimas anuais todas iguais");
        return fits;
    }

    fits.weibullAlpha = weibullShape((s / m) * (s / m));
    fits.weibullBeta = m / std::tgamma(1 + 1 / fits.weibullAlpha);
    fits.weibull =
        fits.weibullBeta * std::pow(-std::log1p(-kQ710Probability), 1 / fits.weibullAlpha);

    // Log-normal 3p by moments: the skewness g fixes w = exp(sigma²) through g = (w + 2)√(w − 1),
    // whose root is Cardano's; the deviation then fixes mu and the mean the lower bound a.
    const long double g = minima.size() > 2 ? skewness(minima, m, s) : 0;
    long double w = 0;
    if (g > 0) {
        const long double root = std::sqrt(1 + g * g / 4);
        w = std::cbrt(1 + g * g / 2 + g * root) + std::cbrt(1 + g * g / 2 - g * root) - 1;
    }
    if (w > 1) {
        fits.logNormalSigma = std::sqrt(std::log(w));
        fits.logNormalMu = std::log(s * s / (w * (w - 1))) / 2;
        fits.logNormalA = m - std::exp(fits.logNormalMu + std::log(w) / 2);
    } else {
        // A log-normal is skewed to the right whatever its bound: minima skewed the other way
        // (or not at all) leave no 3rd parameter, and the 2-parameter fit of the same moments
        // is the honest fallback.
        fits.logNormalNote =
            QStringLiteral(
                "assimetria das mínimas não positiva (%1): log-normal de 2 parâmetros (a = 0)")
                .arg(formatReadable(g, 4));
        const long double sigma2 = std::log1p((s / m) * (s / m));
        fits.logNormalA = 0;
        fits.logNormalSigma = std::sqrt(sigma2);
        fits.logNormalMu = std::log(m) - sigma2 / 2;
    }
    fits.logNormal =
        fits.logNormalA +
        std::exp(fits.logNormalMu + fits.logNormalSigma * normalQuantile(kQ710Probability));

    // Empirical: the smallest minimum stands at 1 / (n + 1), below 0.1 from 9 years on; with
    // fewer the empirical frequency does not reach the 10-year minimum.
    fits.empirical = empiricalQuantile(minima, kQ710Probability);
    return fits;
}

ReferenceFlows referenceFlows(const FlowSeries &series, int firstMonth, MinimaFit fit)
{
    if (firstMonth < 1 || firstMonth > 12)
        throw TaviError(QStringLiteral("mês de início do ano inválido (%1): escolha de 1 a 12")
                            .arg(firstMonth));
    ReferenceFlows flows;
    flows.chosen = fit;

    const std::vector<DurationPoint> curve = durationCurve(series);
    flows.q90 = flowAtPermanence(curve, 90);
    flows.q95 = flowAtPermanence(curve, 95);
    // The long-term mean of every day with a value, whole years or not: a year left out of
    // Q7,10 for its gaps still tells how much the river carries on the days it was read.
    if (!curve.empty()) {
        long double sum = 0;
        for (const DurationPoint &point : curve)
            sum += point.flow;
        flows.qmlt = sum / curve.size();
    }

    flows.years = seriesYears(series, firstMonth);
    std::vector<long double> minima;
    for (const SeriesYear &year : flows.years) {
        if (year.minimum7)
            minima.push_back(*year.minimum7);
    }
    const QString leftOut = yearList(flows.years);
    if (int(minima.size()) < kFewestYearsForQ710) {
        flows.q710Problem = QStringLiteral("Q7,10 não calculada: são precisos %1 anos completos; "
                                           "a série tem %2")
                                .arg(kFewestYearsForQ710)
                                .arg(minima.size());
        if (!leftOut.isEmpty())
            flows.q710Problem +=
                QStringLiteral(" (anos com mais de 5 % dos dias sem vazão, deixados de fora: %1)")
                    .arg(leftOut);
        return flows;
    }
    flows.fits = fitMinima(minima);
    switch (fit) {
    case MinimaFit::Weibull:
        flows.q710 = flows.fits.weibull;
        break;
    case MinimaFit::LogNormal3:
        flows.q710 = flows.fits.logNormal;
        break;
    case MinimaFit::Empirical:
        flows.q710 = flows.fits.empirical;
        break;
    }
    if (!flows.q710)
        flows.q710Problem = QStringLiteral("Q7,10 não calculada pelo ajuste escolhido");
    return flows;
}

std::optional<long double> fitQuantile(const MinimaFits &fits, MinimaFit fit,
                                       const std::vector<long double> &minima,
                                       long double probability)
{
    if (minima.size() < 2 || !(probability > 0 && probability < 1))
        return std::nullopt;
    switch (fit) {
    case MinimaFit::Weibull:
        if (!fits.weibull)
            return std::nullopt;
        // Minima all alike have no shape: every probability gives that one flow.
        if (fits.weibullAlpha == 0)
            return fits.weibull;
        return fits.weibullBeta * std::pow(-std::log1p(-probability), 1 / fits.weibullAlpha);
    case MinimaFit::LogNormal3:
        if (!fits.logNormal)
            return std::nullopt;
        if (fits.logNormalSigma == 0)
            return fits.logNormal;
        return fits.logNormalA +
               std::exp(fits.logNormalMu + fits.logNormalSigma * normalQuantile(probability));
    case MinimaFit::Empirical:
        return empiricalQuantile(minima, probability);
    }
    return std::nullopt;
}

} // namespace tavi::flows
