// The reference flows of a daily series, each against a computation of its own here: Q90 and
// Q95 of series whose duration curve is known in closed form, Q7,10 of minima drawn from a
// known Weibull, the moments fits against their defining equations solved another way, the
// years left out for their gaps, the hydrological year, and a series too short for Q7,10.
#include "core/base/TaviError.h"
#include "core/flows/ReferenceFlows.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace tavi::flows;

Q_DECLARE_METATYPE(std::vector<long double>)

namespace
{

constexpr long double kHigh = 100; // far above every dip, so a dip is its year's minimum

// Every day from `first` to `last` at kHigh.
FlowSeries constantSeries(const QDate &first, const QDate &last)
{
    FlowSeries series;
    series.first = first;
    series.days.assign(std::size_t(first.daysTo(last) + 1), kHigh);
    return series;
}

// Seven days from `start` at `flow`: the only 7-day window whose mean is `flow`.
void dip(FlowSeries &series, const QDate &start, long double flow)
{
    for (int i = 0; i < 7; ++i)
        series.days[std::size_t(series.first.daysTo(start.addDays(i)))] = flow;
}

// A series of one dip a year, each year's from `minima`, calendar years from `firstYear`.
FlowSeries seriesOfMinima(int firstYear, const std::vector<long double> &minima)
{
    const int years = int(minima.size());
    FlowSeries series =
        constantSeries(QDate(firstYear, 1, 1), QDate(firstYear + years - 1, 12, 31));
    for (int y = 0; y < years; ++y)
        dip(series, QDate(firstYear + y, 8, 10), minima[std::size_t(y)]);
    return series;
}

bool near(long double a, long double b, long double relative)
{
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

// A uniform in (0, 1) from 53 bits of the generator: unlike std::uniform_real_distribution,
// the same numbers with every standard library.
long double uniform(std::mt19937_64 &generator)
{
    return ((generator() >> 11) + 0.5L) / 9007199254740992.0L;
}

} // namespace

class TestReferenceFlows : public QObject
{
    Q_OBJECT

private slots:
    void durationCurveOfKnownFlows_data();
    void durationCurveOfKnownFlows();
    void weibullMinimaGiveTheirQ710_data();
    void weibullMinimaGiveTheirQ710();
    void weibullMomentsSolveTheCvEquation_data();
    void weibullMomentsSolveTheCvEquation();
    void logNormalMatchesTheSampleMoments_data();
    void logNormalMatchesTheSampleMoments();
    void empiricalInterpolatesThePlottingPositions_data();
    void empiricalInterpolatesThePlottingPositions();
    void yearsWithGapsLeftOut_data();
    void yearsWithGapsLeftOut();
    void missingDayBreaksTheWindow();
    void hydrologicalYear_data();
    void hydrologicalYear();
    void tooFewYearsForQ710_data();
    void tooFewYearsForQ710();
    void monthOutOfRangeRefused();
    void fitQuantileClosedForms_data();
    void fitQuantileClosedForms();
    void fitQuantileAtTenPercentIsQ710_data();
    void fitQuantileAtTenPercentIsQ710();
    void fitQuantileOutOfReach_data();
    void fitQuantileOutOfReach();
};

void TestReferenceFlows::durationCurveOfKnownFlows_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("gapEvery"); // a day without value after every so many; 0: none
    QTest::newRow("19 days: Q95 on the last point") << 19 << 0;
    QTest::newRow("10 days: Q95 beyond the curve") << 10 << 0;
    QTest::newRow("100 days") << 100 << 0;
    QTest::newRow("3650 days, gaps among them") << 3650 << 9;
}

// Flows 1..n in a shuffled order: the m-th largest is n + 1 - m at permanence m / (n + 1), so
// the flow of permanence p is (n + 1)(1 - p / 100) wherever the curve reaches it, and days
// without value are not counted in n.
void TestReferenceFlows::durationCurveOfKnownFlows()
{
    QFETCH(int, n);
    QFETCH(int, gapEvery);
    std::vector<long double> flows;
    for (int i = 1; i <= n; ++i)
        flows.push_back(i);
    std::shuffle(flows.begin(), flows.end(), std::mt19937(7));
    FlowSeries series;
    series.first = QDate(1990, 1, 1);
    for (std::size_t i = 0; i < flows.size(); ++i) {
        if (gapEvery && i % gapEvery == 0)
            series.days.push_back(std::nullopt);
        series.days.push_back(flows[i]);
    }

    const ReferenceFlows result = referenceFlows(series);
    for (const auto &[permanence, got] : {std::pair{90, result.q90}, std::pair{95, result.q95}}) {
        const long double rank = permanence * (n + 1) / 100.0L;
        if (rank > n) {
            QVERIFY2(!got, qPrintable(QString::number(permanence)));
            continue;
        }
        QVERIFY(got);
        QVERIFY2(near(*got, (n + 1) * (1 - permanence / 100.0L), 1e-15L),
                 qPrintable(QString::number(double(*got))));
    }
    QVERIFY(result.qmlt);
    QVERIFY(near(*result.qmlt, (n + 1) / 2.0L, 1e-15L));
    const std::vector<DurationPoint> curve = durationCurve(series);
    QCOMPARE(int(curve.size()), n);
    QCOMPARE(double(curve.front().flow), double(n));
    QVERIFY(near(curve.back().permanence, 100.0L * n / (n + 1), 1e-15L));
}

void TestReferenceFlows::weibullMinimaGiveTheirQ710_data()
{
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");
    QTest::addColumn<double>("tolerance");
    // 800 years of minima. The tolerance is four standard deviations of the moments estimate
    // of Q7,10 over 800 draws, from a Monte Carlo of 1000 samples of 200 draws (relative
    // deviations 6.7 %, 11 % and 4.1 %) halved for four times the draws: a fit off by more
    // estimates some other quantile or distribution, not this one.
    QTest::newRow("alpha 2.5, beta 3") << 2.5 << 3.0 << 0.14;
    QTest::newRow("alpha 1.5, beta 0.8") << 1.5 << 0.8 << 0.22;
    QTest::newRow("alpha 4, beta 12") << 4.0 << 12.0 << 0.09;
}

void TestReferenceFlows::weibullMinimaGiveTheirQ710()
{
    QFETCH(double, alpha);
    QFETCH(double, beta);
    QFETCH(double, tolerance);
    std::mt19937_64 generator(20240611);
    std::vector<long double> minima;
    for (int i = 0; i < 800; ++i)
        minima.push_back(beta * std::pow(-std::log(1 - uniform(generator)), 1.0L / alpha));
    QVERIFY(*std::max_element(minima.begin(), minima.end()) < kHigh);
    const FlowSeries series = seriesOfMinima(1200, minima);

    const ReferenceFlows result = referenceFlows(series);
    QCOMPARE(int(result.years.size()), 800);
    for (std::size_t y = 0; y < minima.size(); ++y) {
        QVERIFY(result.years[y].used);
        QVERIFY(near(*result.years[y].minimum7, minima[y], 1e-15L));
    }
    const long double truth = beta * std::pow(-std::log(0.9L), 1.0L / alpha);
    QVERIFY(result.q710);
    QVERIFY2(near(*result.q710, truth, tolerance),
             qPrintable(QStringLiteral("%1 / %2").arg(double(*result.q710)).arg(double(truth))));
    QVERIFY(near(result.fits.weibullAlpha, alpha, 4 * tolerance));
    QVERIFY(result.q710Problem.isEmpty());

    // The user's choice of fit picks its Q7,10, the others still reported beside it.
    const ReferenceFlows logNormal = referenceFlows(series, 1, MinimaFit::LogNormal3);
    QCOMPARE(double(*logNormal.q710), double(*logNormal.fits.logNormal));
    QCOMPARE(double(*logNormal.fits.weibull), double(*result.q710));
    const ReferenceFlows empirical = referenceFlows(series, 1, MinimaFit::Empirical);
    QCOMPARE(double(*empirical.q710), double(*empirical.fits.empirical));
    // So many draws put the empirical frequency near the truth as well.
    QVERIFY(near(*empirical.q710, truth, 2 * tolerance));
}

void TestReferenceFlows::weibullMomentsSolveTheCvEquation_data()
{
    QTest::addColumn<std::vector<long double>>("minima");
    QTest::newRow("even spread") << std::vector<long double>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("wide spread, CV above 1")
        << std::vector<long double>{0.01L, 0.02L, 0.05L, 0.1L, 0.3L, 0.9L, 2, 5, 9, 14, 0.04L};
    QTest::newRow("narrow spread, CV 0.01")
        << std::vector<long double>{99, 100, 101, 100, 99.5L, 100.5L, 100, 101.5L, 98.5L, 100};
}

// The shape solved here by Newton's method on Γ itself, with the derivative taken numerically,
// rather than the library's bisection on lgamma.
void TestReferenceFlows::weibullMomentsSolveTheCvEquation()
{
    QFETCH(std::vector<long double>, minima);
    const long double n = minima.size();
    long double mean = 0;
    for (long double x : minima)
        mean += x / n;
    long double ss = 0;
    for (long double x : minima)
        ss += (x - mean) * (x - mean);
    const long double cv = std::sqrt(ss / (n - 1)) / mean;
    const auto f = [cv](long double a) {
        const long double g1 = std::tgamma(1 + 1 / a);
        return std::tgamma(1 + 2 / a) / (g1 * g1) - 1 - cv * cv;
    };
    long double alpha = 1.2L / cv; // the rule of thumb alpha ≈ 1.2 / CV, a close start
    for (int i = 0; i < 100; ++i) {
        const long double h = alpha * 1e-7L;
        const long double step = f(alpha) / ((f(alpha + h) - f(alpha - h)) / (2 * h));
        alpha = std::max(alpha - step, alpha / 2);
        if (std::fabs(step) < 1e-16L * alpha)
            break;
    }
    const long double beta = mean / std::tgamma(1 + 1 / alpha);

    const MinimaFits fits = fitMinima(minima);
    QVERIFY2(
        near(fits.weibullAlpha, alpha, 1e-9L),
        qPrintable(QStringLiteral("%1 / %2").arg(double(fits.weibullAlpha)).arg(double(alpha))));
    QVERIFY(near(fits.weibullBeta, beta, 1e-9L));
    QVERIFY(near(*fits.weibull, beta * std::pow(-std::log(0.9L), 1 / alpha), 1e-9L));
}

void TestReferenceFlows::logNormalMatchesTheSampleMoments_data()
{
    QTest::addColumn<std::vector<long double>>("minima");
    QTest::addColumn<bool>("threeParameters");
    QTest::newRow("skewed right") << std::vector<long double>{2, 2.5L, 3, 3.2L, 3.5L,
                                                              4, 4.5L, 6, 8,    13}
                                  << true;
    QTest::newRow("barely skewed")
        << std::vector<long double>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14.2L} << true;
    QTest::newRow("skewed left: two parameters")
        << std::vector<long double>{2, 9, 10, 10.5L, 11, 11.2L, 11.5L, 11.8L, 12, 12.1L} << false;
}

// The fitted distribution's own mean, variance and skewness, from its parameters by the
// log-normal's moment formulas, are the sample's (the skewness only with three parameters);
// the sample's skewness is the bias-adjusted n / ((n-1)(n-2)) sum(z^3).
void TestReferenceFlows::logNormalMatchesTheSampleMoments()
{
    QFETCH(std::vector<long double>, minima);
    QFETCH(bool, threeParameters);
    const long double n = minima.size();
    long double mean = 0;
    for (long double x : minima)
        mean += x / n;
    long double ss = 0;
    for (long double x : minima)
        ss += (x - mean) * (x - mean);
    const long double s = std::sqrt(ss / (n - 1));
    long double cubes = 0;
    for (long double x : minima)
        cubes += std::pow((x - mean) / s, 3);
    const long double skew = n / ((n - 1) * (n - 2)) * cubes;

    const MinimaFits fits = fitMinima(minima);
    const long double w = std::exp(fits.logNormalSigma * fits.logNormalSigma);
    const long double fittedMean = fits.logNormalA + std::exp(fits.logNormalMu + std::log(w) / 2);
    const long double fittedVariance = std::exp(2 * fits.logNormalMu) * w * (w - 1);
    QVERIFY(near(fittedMean, mean, 1e-12L));
    QVERIFY(near(fittedVariance, s * s, 1e-12L));
    if (threeParameters) {
        QVERIFY(near((w + 2) * std::sqrt(w - 1), skew, 1e-10L));
        QVERIFY(fits.logNormalNote.isEmpty());
    } else {
        QVERIFY(skew < 0);
        QCOMPARE(double(fits.logNormalA), 0.0);
        QVERIFY(fits.logNormalNote.contains(QStringLiteral("2 parâmetros")));
    }
    QVERIFY(near(*fits.logNormal,
                 fits.logNormalA +
                     std::exp(fits.logNormalMu - 1.2815515655446004L * fits.logNormalSigma),
                 1e-15L));
}

void TestReferenceFlows::empiricalInterpolatesThePlottingPositions_data()
{
    QTest::addColumn<std::vector<long double>>("minima");
    QTest::addColumn<double>("expected");
    // 1 / 11 < 0.1 < 2 / 11: a tenth of the way from the smallest to the next.
    QTest::newRow("10 minima") << std::vector<long double>{5, 3, 9, 1, 7, 2, 10, 4, 8, 6} << 1.1;
    // 2 / 20 is 0.1 itself: the second smallest.
    std::vector<long double> tens;
    for (int i = 19; i >= 1; --i)
        tens.push_back(10 * i);
    QTest::newRow("19 minima, on a point") << tens << 20.0;
    // 0.1 * 31 = 3.1: a tenth of the way from the 3rd smallest (9) to the 4th (16).
    std::vector<long double> squares;
    for (int i = 1; i <= 30; ++i)
        squares.push_back(i * i);
    std::shuffle(squares.begin(), squares.end(), std::mt19937(3));
    QTest::newRow("30 minima") << squares << 9.7;
}

void TestReferenceFlows::empiricalInterpolatesThePlottingPositions()
{
    QFETCH(std::vector<long double>, minima);
    QFETCH(double, expected);
    const MinimaFits fits = fitMinima(minima);
    QVERIFY(fits.empirical);
    QVERIFY2(near(*fits.empirical, expected, 1e-15L),
             qPrintable(QString::number(double(*fits.empirical), 'g', 17)));
}

void TestReferenceFlows::yearsWithGapsLeftOut_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("missing");
    QTest::addColumn<bool>("used");
    // 5 % of 365 days is 18.25, of 366 days 18.3.
    QTest::newRow("2003, 18 days missing") << 2003 << 18 << true;
    QTest::newRow("2003, 19 days missing") << 2003 << 19 << false;
    QTest::newRow("2004 (leap), 18 days missing") << 2004 << 18 << true;
    QTest::newRow("2004 (leap), 19 days missing") << 2004 << 19 << false;
    QTest::newRow("2005, a whole month missing") << 2005 << 31 << false;
}

// Twelve years 2000-2011, one of them with gaps spread over its months, none at its dip.
void TestReferenceFlows::yearsWithGapsLeftOut()
{
    QFETCH(int, year);
    QFETCH(int, missing);
    QFETCH(bool, used);
    std::vector<long double> minima;
    for (int y = 0; y < 12; ++y)
        minima.push_back(1 + y);
    FlowSeries series = seriesOfMinima(2000, minima);
    for (int i = 0; i < missing; ++i)
        series.days[std::size_t(series.first.daysTo(QDate(year, 1, 2)) +
                                (missing > 19 ? i : i * 11))] = std::nullopt;

    const ReferenceFlows result = referenceFlows(series);
    QCOMPARE(int(result.years.size()), 12);
    const SeriesYear &gappy = result.years[std::size_t(year - 2000)];
    QCOMPARE(gappy.year, year);
    QCOMPARE(gappy.missing, missing);
    QCOMPARE(gappy.days, QDate::isLeapYear(year) ? 366 : 365);
    QCOMPARE(gappy.used, used);
    QCOMPARE(bool(gappy.minimum7), used);
    // Left out, the year's minimum plays no part: the fit is that of the other eleven.
    std::vector<long double> kept = minima;
    if (!used)
        kept.erase(kept.begin() + (year - 2000));
    QVERIFY(result.q710);
    QVERIFY(near(*result.q710, *fitMinima(kept).weibull, 1e-15L));
}

// A dip of 1 with its 4th day unread: no window of 7 read days covers more than 3 of its days,
// the rest at kHigh, so the year's minimum is (3 + 4 kHigh) / 7 and not 1.
void TestReferenceFlows::missingDayBreaksTheWindow()
{
    FlowSeries series = constantSeries(QDate(2000, 1, 1), QDate(2000, 12, 31));
    dip(series, QDate(2000, 6, 1), 1);
    series.days[std::size_t(series.first.daysTo(QDate(2000, 6, 4)))] = std::nullopt;
    const std::vector<SeriesYear> years = seriesYears(series);
    QCOMPARE(int(years.size()), 1);
    QVERIFY(years[0].minimum7);
    QVERIFY(near(*years[0].minimum7, (3 + 4 * kHigh) / 7, 1e-15L));
}

void TestReferenceFlows::hydrologicalYear_data()
{
    QTest::addColumn<int>("firstMonth");
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    // A year of 366 days is one whose end falls in a leap year: the next calendar year's for
    // October years.
    QTest::addColumn<int>("leapOffset");
    // The dip of hydrological year Y (Oct Y - Sep Y+1) lies in March Y+1, of flow Y - 1999.
    QTest::newRow("October to September") << 10 << 2000 << 2011 << 1;
    // As calendar years, 2000 and 2012 hold three and nine months only, and are left out.
    QTest::newRow("calendar year") << 1 << 2000 << 2012 << 0;
}

void TestReferenceFlows::hydrologicalYear()
{
    QFETCH(int, firstMonth);
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(int, leapOffset);
    FlowSeries series = constantSeries(QDate(2000, 10, 1), QDate(2012, 9, 30));
    for (int y = 2000; y <= 2011; ++y)
        dip(series, QDate(y + 1, 3, 10), y - 1999);
    // A lower dip across the turn of the hydrological year: within no October year, but
    // within calendar year 2005.
    dip(series, QDate(2005, 9, 27), 0.5L);

    const std::vector<SeriesYear> years = seriesYears(series, firstMonth);
    QCOMPARE(int(years.size()), lastYear - firstYear + 1);
    for (const SeriesYear &year : years) {
        QCOMPARE(year.days, QDate::isLeapYear(year.year + leapOffset) ? 366 : 365);
        const bool whole = year.year >= 2001 && year.year <= 2011 ? true : firstMonth == 10;
        QCOMPARE(year.used, whole);
        if (!whole)
            continue;
        long double expected = firstMonth == 10 ? year.year - 1999 : year.year - 2000;
        if (firstMonth == 1 && year.year == 2005)
            expected = 0.5L;
        QVERIFY2(near(*year.minimum7, expected, 1e-15L),
                 qPrintable(QStringLiteral("%1: %2").arg(year.year).arg(double(*year.minimum7))));
    }
    QCOMPARE(years.front().year, firstYear);
}

void TestReferenceFlows::tooFewYearsForQ710_data()
{
    QTest::addColumn<int>("years");
    QTest::addColumn<QList<int>>("gappyYears");
    QTest::addColumn<bool>("computed");
    QTest::newRow("9 years") << 9 << QList<int>{} << false;
    QTest::newRow("10 years") << 10 << QList<int>{} << true;
    QTest::newRow("12 years, 3 with gaps") << 12 << QList<int>{1991, 1994, 1997} << false;
}

void TestReferenceFlows::tooFewYearsForQ710()
{
    QFETCH(int, years);
    QFETCH(QList<int>, gappyYears);
    QFETCH(bool, computed);
    std::vector<long double> minima;
    for (int y = 0; y < years; ++y)
        minima.push_back(2 + y % 4);
    FlowSeries series = seriesOfMinima(1990, minima);
    for (int year : gappyYears) {
        for (int d = 0; d < 40; ++d)
            series.days[std::size_t(series.first.daysTo(QDate(year, 2, 1)) + d)] = std::nullopt;
    }

    const ReferenceFlows result = referenceFlows(series);
    QVERIFY(result.q90);
    QVERIFY(result.q95);
    QVERIFY(result.qmlt);
    QCOMPARE(double(*result.q95), double(kHigh)); // over 95 % of the days at kHigh
    QCOMPARE(bool(result.q710), computed);
    QCOMPARE(result.q710Problem.isEmpty(), computed);
    if (computed)
        return;
    const int complete = years - int(gappyYears.size());
    QVERIFY2(result.q710Problem.contains(QStringLiteral("são precisos 10 anos completos; a "
                                                        "série tem %1")
                                             .arg(complete)),
             qPrintable(result.q710Problem));
    for (int year : gappyYears)
        QVERIFY2(result.q710Problem.contains(QString::number(year)),
                 qPrintable(result.q710Problem));
}

void TestReferenceFlows::monthOutOfRangeRefused()
{
    const FlowSeries series = constantSeries(QDate(2000, 1, 1), QDate(2000, 12, 31));
    QVERIFY_THROWS_EXCEPTION(tavi::TaviError, referenceFlows(series, 13));
    QVERIFY_THROWS_EXCEPTION(tavi::TaviError, referenceFlows(series, 0));
}

// Minima skewed to the right, so that the log-normal has its third parameter.
const std::vector<long double> kSkewedMinima{3.1L, 2.4L, 5.9L, 2.8L, 4.2L, 2.2L,
                                             3.6L, 9.5L, 2.6L, 3.3L, 4.8L, 2.9L};

void TestReferenceFlows::fitQuantileClosedForms_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("z"); // the standard normal quantile of p, from tables
    QTest::newRow("0.01, the lower tail") << 0.01 << -2.3263478740408408;
    QTest::newRow("0.1") << 0.1 << -1.2815515655446004;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("0.975") << 0.975 << 1.959963984540054;
    QTest::newRow("0.999, the upper tail") << 0.999 << 3.090232306167813;
}

// Each fit's curve by its closed form: Weibull of minima beta (-ln(1 - p))^(1/alpha), the
// log-normal a + exp(mu + sigma z_p).
void TestReferenceFlows::fitQuantileClosedForms()
{
    QFETCH(double, p);
    QFETCH(double, z);
    const MinimaFits fits = fitMinima(kSkewedMinima);
    QVERIFY(fits.logNormalNote.isEmpty());
    const std::optional<long double> weibull =
        fitQuantile(fits, MinimaFit::Weibull, kSkewedMinima, p);
    QVERIFY(weibull);
    QVERIFY(near(*weibull, fits.weibullBeta * std::pow(-std::log(1.0L - p), 1 / fits.weibullAlpha),
                 1e-14L));
    const std::optional<long double> logNormal =
        fitQuantile(fits, MinimaFit::LogNormal3, kSkewedMinima, p);
    QVERIFY(logNormal);
    QVERIFY2(near(*logNormal,
                  fits.logNormalA + std::exp(fits.logNormalMu + fits.logNormalSigma * z), 1e-14L),
             qPrintable(QString::number(double(*logNormal), 'g', 17)));
    // The Weibull's own distribution function brings the flow back to p.
    QVERIFY(
        near(1 - std::exp(-std::pow(*weibull / fits.weibullBeta, fits.weibullAlpha)), p, 1e-13L));
}

void TestReferenceFlows::fitQuantileAtTenPercentIsQ710_data()
{
    QTest::addColumn<std::vector<long double>>("minima");
    QTest::newRow("skewed right") << kSkewedMinima;
    // Skewed left: the log-normal falls back to two parameters.
    QTest::newRow("skewed left") << std::vector<long double>{9,   8.5, 9.2, 3, 8.8, 9.1,
                                                             8.7, 9.3, 8.9, 9, 8.6};
    QTest::newRow("all alike") << std::vector<long double>(12, 4.5L);
}

void TestReferenceFlows::fitQuantileAtTenPercentIsQ710()
{
    QFETCH(std::vector<long double>, minima);
    const MinimaFits fits = fitMinima(minima);
    const std::pair<MinimaFit, std::optional<long double>> fitted[] = {
        {MinimaFit::Weibull, fits.weibull},
        {MinimaFit::LogNormal3, fits.logNormal},
        {MinimaFit::Empirical, fits.empirical}};
    for (const auto &[fit, q710] : fitted) {
        QVERIFY(q710);
        const std::optional<long double> curve = fitQuantile(fits, fit, minima, kQ710Probability);
        QVERIFY(curve);
        QVERIFY2(near(*curve, *q710, 1e-15L), qPrintable(QStringLiteral("%1 against %2")
                                                             .arg(double(*curve), 0, 'g', 17)
                                                             .arg(double(*q710), 0, 'g', 17)));
    }
}

void TestReferenceFlows::fitQuantileOutOfReach_data()
{
    QTest::addColumn<int>("fit");
    QTest::addColumn<double>("p");
    QTest::addColumn<int>("minima");
    QTest::addColumn<double>("expected"); // NaN: none
    const double none = std::nan("");
    QTest::newRow("p 0") << int(MinimaFit::Weibull) << 0.0 << 12 << none;
    QTest::newRow("p 1") << int(MinimaFit::LogNormal3) << 1.0 << 12 << none;
    QTest::newRow("p negative") << int(MinimaFit::Empirical) << -0.1 << 12 << none;
    QTest::newRow("one minimum") << int(MinimaFit::Weibull) << 0.5 << 1 << none;
    // 12 minima: the empirical reaches from 1/13 to 12/13 only.
    QTest::newRow("empirical below its reach") << int(MinimaFit::Empirical) << 0.07 << 12 << none;
    QTest::newRow("empirical above its reach") << int(MinimaFit::Empirical) << 0.93 << 12 << none;
    // The smallest (2.2) at 1/13 and the next (2.4) at 2/13; the ends taken a hair inside, as
    // 1/13 in double precision may fall either side of the same in long double.
    QTest::newRow("empirical on its first point")
        << int(MinimaFit::Empirical) << 1.0 / 13 + 1e-12 << 12 << 2.2;
    QTest::newRow("empirical halfway") << int(MinimaFit::Empirical) << 1.5 / 13 << 12 << 2.3;
    QTest::newRow("empirical on its last point")
        << int(MinimaFit::Empirical) << 12.0 / 13 - 1e-12 << 12 << 9.5;
}

void TestReferenceFlows::fitQuantileOutOfReach()
{
    QFETCH(int, fit);
    QFETCH(double, p);
    QFETCH(int, minima);
    QFETCH(double, expected);
    const std::vector<long double> sample(kSkewedMinima.begin(), kSkewedMinima.begin() + minima);
    const MinimaFits fits = fitMinima(kSkewedMinima);
    const std::optional<long double> flow = fitQuantile(fits, MinimaFit(fit), sample, p);
    QCOMPARE(flow.has_value(), !std::isnan(expected));
    if (flow)
        QVERIFY2(near(*flow, expected, 1e-11L),
                 qPrintable(QString::number(double(*flow), 'g', 17)));
}

QTEST_GUILESS_MAIN(TestReferenceFlows)
#include "tst_reference_flows.moc"
