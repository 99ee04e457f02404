// The years a plan looks over and the quantities that move along them: a coverage reaching its
// target in its year and staying there, losses and shares that cannot be used, and populations
// typed for some years read for any year.
#include "core/base/LocaleSettings.h"
#include "core/projection/PlanningHorizon.h"

#include <QTest>

using namespace tavi;
using namespace tavi::projection;

class PlanningHorizonTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    void horizons_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("final");
        QTest::addColumn<QString>("problem");
        QTest::newRow("twenty years") << 2026 << 2046 << "";
        QTest::newRow("one year") << 2026 << 2027 << "";
        QTest::newRow("fifty years") << 2026 << 2076 << "";
        QTest::newRow("fifty-one years")
            << 2026 << 2077 << "O ano final (2077) está a mais de 50 anos do ano-base (2026).";
        QTest::newRow("final before base")
            << 2026 << 2020 << "O ano final (2020) é anterior ao ano-base (2026).";
        QTest::newRow("final the base")
            << 2026 << 2026 << "O ano final deve vir ao menos um ano depois do ano-base (2026).";
        QTest::newRow("beyond 2100") << 2090 << 2110 << "O ano 2110 está fora de 1872 a 2100.";
    }
    void horizons()
    {
        QFETCH(int, base);
        QFETCH(int, final);
        QFETCH(QString, problem);
        QCOMPARE(horizonProblem({base, final}), problem);
        const PlanningHorizon standard = PlanningHorizon::startingIn(base);
        QCOMPARE(standard.finalYear, base + 20);
        QCOMPARE(standard.years(), 21);
    }

    // Today's coverage in the base year exactly, the target in its year and every year after,
    // a straight line between; a target year already past reaches the target at once.
    void coverageReachesItsTargetInItsYear_data()
    {
        QTest::addColumn<double>("today");
        QTest::addColumn<int>("targetYear");
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("expected");
        const double today = 1000.0 / 1200.0; // me_1 / me_3
        QTest::newRow("base year") << today << 2033 << 2026 << today;
        QTest::newRow("before the base year") << today << 2033 << 2020 << today;
        QTest::newRow("halfway") << 0.80 << 2036 << 2031 << 0.80 + (0.99 - 0.80) * 5 / 10;
        QTest::newRow("target year") << today << 2033 << 2033 << 0.99;
        QTest::newRow("after the target year") << today << 2033 << 2046 << 0.99;
        QTest::newRow("target year already past") << today << 2020 << 2027 << 0.99;
        QTest::newRow("above the target today: down to it") << 1.0 << 2031 << 2031 << 0.99;
    }
    void coverageReachesItsTargetInItsYear()
    {
        QFETCH(double, today);
        QFETCH(int, targetYear);
        QFETCH(int, year);
        QFETCH(double, expected);
        const PathToTarget coverage{2026, today, kServedShareGoal, targetYear};
        QCOMPARE(double(coverage.valueIn(year)), expected);
    }

    void sharesThatCannotBeUsed_data()
    {
        QTest::addColumn<bool>("losses");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("problem");
        QTest::newRow("coverage of 100 %") << false << 100.0 << "";
        QTest::newRow("coverage above 100 %")
            << false << 100.5 << "A cobertura-alvo de 100,5 % passa de 100 %.";
        QTest::newRow("negative coverage")
            << false << -1.0 << "A cobertura-alvo de -1 % é negativa.";
        QTest::newRow("losses of 99,9 %") << true << 99.9 << "";
        QTest::newRow("losses of 100 %")
            << true << 100.0
            << "As perdas atuais de 100 % não deixam água para os consumidores: devem ficar "
               "abaixo de 100 %.";
        QTest::newRow("negative losses")
            << true << -3.0 << "As perdas atuais de -3 % são negativas.";
    }
    void sharesThatCannotBeUsed()
    {
        QFETCH(bool, losses);
        QFETCH(double, percent);
        QFETCH(QString, problem);
        QCOMPARE(losses ? lossesProblem(percent, QStringLiteral("As perdas atuais"))
                        : coverageProblem(percent, QStringLiteral("A cobertura-alvo")),
                 problem);
    }

    // Typed in any order; between two years on the line between them, beyond them the
    // nearest one's.
    void typedPopulationsBetweenTheirYears()
    {
        const std::vector<std::pair<int, long double>> typed{
            {2040, 90000}, {2026, 62000}, {2030, 70000}};
        QCOMPARE(double(interpolatedIn(typed, 2026)), 62000.0);
        QCOMPARE(double(interpolatedIn(typed, 2028)), 66000.0);
        QCOMPARE(double(interpolatedIn(typed, 2030)), 70000.0);
        QCOMPARE(double(interpolatedIn(typed, 2035)), 80000.0);
        QCOMPARE(double(interpolatedIn(typed, 2020)), 62000.0);
        QCOMPARE(double(interpolatedIn(typed, 2050)), 90000.0);
        QCOMPARE(double(interpolatedIn({{2030, 5}}, 2040)), 5.0);
    }
};

QTEST_GUILESS_MAIN(PlanningHorizonTest)
#include "tst_planning_horizon.moc"
