// The balance over the planning horizon: each scenario's years set against the same reference
// flow, the first year the mean day turns critical without and with the dilution flow, a
// scenario not computed passed on with its problem, and no horizon balance without a flow.
#include "core/balance/HorizonBalance.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::balance;

namespace
{

constexpr int kFirstYear = 2026;
constexpr int kYears = 15;

// Years whose mean day is (base + step * y) % of a reference flow of 1 m3/s, the peak day
// twice that, and `dilution` m3/s of dilution (negative: the dilution failed).
horizon::ScenarioRun run(const QString &name, long double base, long double step,
                         long double dilution)
{
    horizon::ScenarioRun run;
    run.name = name;
    if (dilution < 0)
        run.dilutionError = QStringLiteral("Diluição de Esgotos Domésticos: falhou");
    for (int y = 0; y < kYears; ++y) {
        horizon::HorizonYear year;
        year.year = kFirstYear + y;
        year.total.meanDaily = (base + step * y) / 100 * 86400;
        year.total.peakDaily = 2 * year.total.meanDaily;
        year.total.annual = year.total.meanDaily * 365;
        year.dilutionMaximum = dilution < 0 ? 0 : double(dilution);
        run.years.push_back(year);
    }
    return run;
}

WaterBalance referenceOfOne()
{
    WaterBalance balance;
    balance.reference = 1;
    balance.available = 0.5L;
    return balance;
}

} // namespace

class HorizonBalanceTest : public QObject
{
    Q_OBJECT

private slots:
    void firstCriticalYear_data()
    {
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("dilution"); // m3/s; negative: not computed
        QTest::addColumn<int>("first");       // 0: none
        QTest::addColumn<int>("firstWithDilution");
        // 10.5 % + 1 % a year: 19.5 % in 2035, 20.5 % in 2036.
        QTest::newRow("crosses, dilution adds 5 points")
            << 10.5 << 0.05 << 2036 << 2031; // 15.5 % + 1 %: 20.5 % in 2031
        QTest::newRow("critical from the first year") << 25.5 << 0.0 << 2026 << 2026;
        QTest::newRow("never critical, dilution makes it") << 0.5 << 0.15 << 0 << 2031;
        QTest::newRow("never critical at all") << 0.5 << 0.0 << 0 << 0;
        QTest::newRow("dilution not computed") << 10.5 << -1.0 << 2036 << 0;
    }
    void firstCriticalYear()
    {
        QFETCH(double, base);
        QFETCH(double, dilution);
        QFETCH(int, first);
        QFETCH(int, firstWithDilution);
        const std::vector<ScenarioBalance> scenarios =
            horizonBalance({run("Base", base, 1, dilution)}, referenceOfOne());
        QCOMPARE(int(scenarios.size()), 1);
        const ScenarioBalance &scenario = scenarios.front();
        QCOMPARE(scenario.firstCriticalYear.value_or(0), first);
        QCOMPARE(scenario.firstCriticalYearWithDilution.value_or(0), firstWithDilution);
        QCOMPARE(scenario.dilutionComputed, dilution >= 0);
        QCOMPARE(int(scenario.years.size()), kYears);
        const HorizonBalanceYear &last = scenario.years.back();
        QCOMPARE(last.year, kFirstYear + kYears - 1);
        const long double mean = (base + kYears - 1) / 100;
        QVERIFY(std::fabs(last.meanDay.demand - mean) < 1e-15L);
        QVERIFY(std::fabs(last.meanDay.grantUse - mean * 200) < 1e-12L);
        QVERIFY(std::fabs(last.peakDay.percent - mean * 200) < 1e-12L);
        if (dilution >= 0)
            QVERIFY(std::fabs(last.meanDayWithDilution.percent - (mean + dilution) * 100) < 1e-12L);
    }

    void scenarioNotComputed()
    {
        horizon::ScenarioRun broken;
        broken.name = QStringLiteral("Sem censos");
        broken.problem = QStringLiteral("Informe ao menos duas contagens de população.");
        horizon::ScenarioRun partial = run("Seca", 10.5, 1, 0.05L);
        partial.errors[AgricultureSector] = QStringLiteral("Agricultura: falhou");
        const std::vector<ScenarioBalance> scenarios =
            horizonBalance({run("Base", 10.5, 1, 0.05L), broken, partial}, referenceOfOne());
        QCOMPARE(int(scenarios.size()), 3);
        QCOMPARE(scenarios[1].name, broken.name);
        QCOMPARE(scenarios[1].problem, broken.problem);
        QVERIFY(scenarios[1].years.empty());
        QVERIFY(!scenarios[1].firstCriticalYear && !scenarios[1].firstCriticalYearWithDilution);
        QCOMPARE(scenarios[2].partialNote, QStringLiteral("total parcial, sem Agricultura"));
        QCOMPARE(scenarios[2].firstCriticalYear.value_or(0), 2036);
        QVERIFY(scenarios[0].partialNote.isEmpty());
    }

    void noReferenceNoHorizon()
    {
        WaterBalance balance = referenceOfOne();
        balance.problem = QStringLiteral("Sem vazão de referência");
        QVERIFY(horizonBalance({run("Base", 10.5, 1, 0)}, balance).empty());
    }
};

QTEST_GUILESS_MAIN(HorizonBalanceTest)
#include "tst_horizon_balance.moc"
