// Population projections as a sanitation textbook works them: three censuses 10 years apart,
// each method's population 30 years after the last, worked out here once more from the
// methods' formulas; when each method applies, and why not when it does not; and the counts
// nothing can be projected from.
#include "core/projection/PopulationProjection.h"

#include <QTest>

#include <cmath>

using namespace tavi::projection;

Q_DECLARE_METATYPE(tavi::projection::ProjectionMethod)

namespace
{

// 1990: 50 000, 2000: 62 000, 2010: 70 000 inhabitants; growing, more slowly each decade.
const std::vector<PopulationCount> kCensuses{{2000, 62000}, {1990, 50000}, {2010, 70000}};
constexpr double kFinalYear = 2040;

std::vector<PopulationCount> counts(std::initializer_list<std::pair<int, double>> rows)
{
    std::vector<PopulationCount> out;
    for (const auto &[year, population] : rows)
        out.push_back({year, population});
    return out;
}

double projected(ProjectionMethod method, const std::vector<PopulationCount> &c, double year,
                 std::optional<long double> saturation = std::nullopt)
{
    const ProjectionFit fit = ProjectionFit::fit(method, c, saturation);
    return fit.applies() ? double(fit.populationIn(year)) : std::nan("");
}

// Least squares of y on x, as a spreadsheet's trend line: intercept, slope and R².
std::array<double, 3> trend(const std::vector<double> &x, const std::vector<double> &y)
{
    const double n = double(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double b = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double a = (sy - b * sx) / n;
    double residual = 0, total = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        residual += std::pow(y[i] - a - b * x[i], 2);
        total += std::pow(y[i] - sy / n, 2);
    }
    return {a, b, 1 - residual / total};
}

} // namespace

class PopulationProjectionTest : public QObject
{
    Q_OBJECT

private slots:
    // The textbook's worked example, each method from its formula.
    void workedExample_data()
    {
        QTest::addColumn<ProjectionMethod>("method");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("rSquared"); // NaN for the classic methods
        const double p0 = 50000, p1 = 62000, p2 = 70000, t = kFinalYear;
        const double nan = std::nan("");

        // Ka = (70 000 - 50 000) / 20 = 1 000 a year: 100 000 in 2040.
        QTest::newRow("arithmetic") << ProjectionMethod::Arithmetic << 100000.0 << nan;
        const double kg = std::log(p2 / p0) / 20;
        QTest::newRow("geometric")
            << ProjectionMethod::Geometric << p0 * std::exp(kg * (t - 1990)) << nan;
        // Ps = (2 P0 P1 P2 - P1² (P0 + P2)) / (P0 P2 - P1²) = 79 302,33.
        const double ps = (2 * p0 * p1 * p2 - p1 * p1 * (p0 + p2)) / (p0 * p2 - p1 * p1);
        QVERIFY(std::fabs(ps - 79302.33) < 0.01);
        const double kd = -std::log((ps - p2) / (ps - p0)) / 20;
        QTest::newRow("decreasing rate")
            << ProjectionMethod::DecreasingRate << p0 + (ps - p0) * (1 - std::exp(-kd * (t - 1990)))
            << nan;
        const double c = (ps - p0) / p0;
        const double k1 = std::log(p0 * (ps - p1) / (p1 * (ps - p0))) / 10;
        QTest::newRow("logistic") << ProjectionMethod::Logistic
                                  << ps / (1 + c * std::exp(k1 * (t - 1990))) << nan;

        const std::vector<double> years{1990, 2000, 2010}, people{p0, p1, p2};
        std::vector<double> fromFirst, logYears, logPeople;
        for (std::size_t i = 0; i < 3; ++i) {
            fromFirst.push_back(years[i] - 1990);
            logYears.push_back(std::log(years[i]));
            logPeople.push_back(std::log(people[i]));
        }
        const auto linear = trend(fromFirst, people);
        QTest::newRow("linear trend")
            << ProjectionMethod::LinearTrend << linear[0] + linear[1] * (t - 1990) << linear[2];
        const auto exponential = trend(fromFirst, logPeople);
        QTest::newRow("exponential trend")
            << ProjectionMethod::ExponentialTrend
            << std::exp(exponential[0] + exponential[1] * (t - 1990)) << exponential[2];
        const auto logarithmic = trend(logYears, people);
        QTest::newRow("logarithmic trend")
            << ProjectionMethod::LogarithmicTrend << logarithmic[0] + logarithmic[1] * std::log(t)
            << logarithmic[2];
        const auto power = trend(logYears, logPeople);
        QTest::newRow("power trend") << ProjectionMethod::PowerTrend
                                     << std::exp(power[0]) * std::pow(t, power[1]) << power[2];
    }
    void workedExample()
    {
        QFETCH(ProjectionMethod, method);
        QFETCH(double, expected);
        QFETCH(double, rSquared);
        const ProjectionFit fit = ProjectionFit::fit(method, kCensuses);
        QVERIFY2(fit.applies(), qPrintable(fit.problem()));
        const double computed = double(fit.populationIn(kFinalYear));
        QVERIFY2(
            std::fabs(computed - expected) < 1e-6 * expected,
            qPrintable(QStringLiteral("%1 against %2").arg(computed, 0, 'f', 4).arg(expected)));
        QCOMPARE(fit.rSquared().has_value(), !std::isnan(rSquared));
        if (fit.rSquared())
            QVERIFY(std::fabs(double(*fit.rSquared()) - rSquared) < 1e-9);
        QCOMPARE(fit.saturation().has_value(), method == ProjectionMethod::DecreasingRate ||
                                                   method == ProjectionMethod::Logistic);
        if (fit.saturation())
            QVERIFY(std::fabs(double(*fit.saturation()) - 79302.3256) < 1e-3);
    }

    // The logistic curve and the decreasing rate go through the counts they were fitted on.
    void curvesGoThroughTheirCounts()
    {
        for (ProjectionMethod method : {ProjectionMethod::Logistic, ProjectionMethod::Arithmetic,
                                        ProjectionMethod::Geometric}) {
            for (const PopulationCount &count : kCensuses) {
                if (method != ProjectionMethod::Logistic && count.year == 2000)
                    continue; // the first and last counts only
                QVERIFY(std::fabs(projected(method, kCensuses, count.year) -
                                  double(count.population)) < 1e-6);
            }
        }
        QVERIFY(std::fabs(projected(ProjectionMethod::DecreasingRate, kCensuses, 2010) - 70000) <
                1e-6);
        // The saturation is approached, never passed.
        QVERIFY(projected(ProjectionMethod::Logistic, kCensuses, 2100) < 79302.33);
        QVERIFY(projected(ProjectionMethod::DecreasingRate, kCensuses, 2100) < 79302.33);
    }

    // When a method does not apply, it says why; nothing is projected by it.
    void applicability_data()
    {
        QTest::addColumn<ProjectionMethod>("method");
        QTest::addColumn<std::vector<PopulationCount>>("given");
        QTest::addColumn<double>("saturation"); // 0: none typed
        QTest::addColumn<QString>("problem");   // a part of it; empty: applies
        const auto row = [](const char *name, ProjectionMethod method,
                            std::vector<PopulationCount> given, double saturation,
                            const char *problem) {
            QTest::newRow(name) << method << given << saturation << QString::fromUtf8(problem);
        };
        const auto notGrowing = counts({{1990, 50000}, {2000, 48000}, {2010, 70000}});
        const auto speedingUp = counts({{1990, 50000}, {2000, 60000}, {2010, 80000}});
        const auto steadyRate = counts({{1990, 50000}, {2000, 60000}, {2010, 72000}});
        const auto unevenYears = counts({{1991, 50000}, {2000, 62000}, {2010, 70000}});
        const auto emptyTown = counts({{1990, 0}, {2000, 120}, {2010, 300}});
        row("logistic, a count falls", ProjectionMethod::Logistic, notGrowing, 0,
            "não crescem sempre (P0 < P1 < P2)");
        row("logistic, growth speeding up", ProjectionMethod::Logistic, speedingUp, 0,
            "não desacelera");
        row("logistic, uneven years", ProjectionMethod::Logistic, unevenYears, 0,
            "igualmente espaçadas");
        row("decreasing rate, speeding up", ProjectionMethod::DecreasingRate, speedingUp, 0,
            "não é maior que as contagens");
        row("decreasing rate, a steady rate", ProjectionMethod::DecreasingRate, steadyRate, 0,
            "taxa constante");
        row("decreasing rate, uneven years", ProjectionMethod::DecreasingRate, unevenYears, 0,
            "igualmente espaçadas; informe a população de saturação");
        row("decreasing rate, uneven years, saturation typed", ProjectionMethod::DecreasingRate,
            unevenYears, 90000, "");
        row("decreasing rate, saturation typed too low", ProjectionMethod::DecreasingRate,
            unevenYears, 65000, "deve ser maior que as contagens");
        row("decreasing rate, the counts' own saturation first", ProjectionMethod::DecreasingRate,
            kCensuses, 65000, "");
        row("geometric from nobody", ProjectionMethod::Geometric, emptyTown, 0, "nula");
        row("exponential trend from nobody", ProjectionMethod::ExponentialTrend, emptyTown, 0,
            "nula");
        row("power trend from nobody", ProjectionMethod::PowerTrend, emptyTown, 0, "nula");
        row("arithmetic from nobody", ProjectionMethod::Arithmetic, emptyTown, 0, "");
        row("linear trend of two counts", ProjectionMethod::LinearTrend,
            counts({{2000, 10}, {2010, 20}}), 0, "");
    }
    void applicability()
    {
        QFETCH(ProjectionMethod, method);
        QFETCH(std::vector<PopulationCount>, given);
        QFETCH(double, saturation);
        QFETCH(QString, problem);
        const ProjectionFit fit = ProjectionFit::fit(
            method, given, saturation > 0 ? std::optional<long double>(saturation) : std::nullopt);
        QVERIFY2(problem.isEmpty() ? fit.applies() : fit.problem().contains(problem),
                 qPrintable(fit.problem()));
        if (!fit.applies()) {
            QVERIFY(!fit.saturation() && !fit.rSquared());
            return;
        }
        QVERIFY(std::isfinite(double(fit.populationIn(kFinalYear))));
        if (saturation > 0 && given.front().year == 1991) {
            // The typed saturation, fitted between the first and the last count.
            QCOMPARE(double(*fit.saturation()), saturation);
            QCOMPARE(fit.yearsUsed(), (std::vector<int>{1991, 2010}));
            QVERIFY(std::fabs(double(fit.populationIn(2010)) - 70000) < 1e-6);
        }
    }

    // The latest three counts equally spaced, the widest of them.
    void threeEquallySpacedCounts()
    {
        const auto many =
            inYearOrder(counts({{1970, 1}, {1980, 2}, {1990, 3}, {2000, 4}, {2010, 5}, {2022, 6}}));
        const auto triple = equallySpacedCounts(many);
        QVERIFY(triple);
        QCOMPARE(many[(*triple)[0]].year, 1970);
        QCOMPARE(many[(*triple)[1]].year, 1990);
        QCOMPARE(many[(*triple)[2]].year, 2010);
        QVERIFY(!equallySpacedCounts(inYearOrder(counts({{1991, 1}, {2000, 2}, {2010, 3}}))));
    }

    void countsNothingCanBeProjectedFrom_data()
    {
        QTest::addColumn<std::vector<PopulationCount>>("given");
        QTest::addColumn<QString>("problem");
        QTest::newRow("one count") << counts({{2010, 5000}})
                                   << "Informe ao menos duas contagens de população (ano e "
                                      "população).";
        QTest::newRow("a year twice") << counts({{2010, 5000}, {2000, 4000}, {2010, 5100}})
                                      << "O ano 2010 aparece duas vezes.";
        QTest::newRow("before the first census")
            << counts({{1850, 5000}, {2000, 4000}}) << "O ano 1850 está fora de 1872 a 2100.";
        QTest::newRow("beyond 2100")
            << counts({{2101, 5000}, {2000, 4000}}) << "O ano 2101 está fora de 1872 a 2100.";
        QTest::newRow("negative") << counts({{2010, -5}, {2000, 4000}})
                                  << "A população de 2010 é negativa.";
        QTest::newRow("usable") << counts({{1872, 0}, {2100, 4000}}) << "";
    }
    void countsNothingCanBeProjectedFrom()
    {
        QFETCH(std::vector<PopulationCount>, given);
        QFETCH(QString, problem);
        QCOMPARE(countsProblem(given), problem);
    }
};

QTEST_GUILESS_MAIN(PopulationProjectionTest)
#include "tst_population_projection.moc"
