// The herds over a planning horizon: the base year is the window's total, text for text; each
// species grows at its own rate or follows its typed head counts; and a rate that would wipe
// out a herd, or typed counts that cannot be used, are refused naming the species.
#include "core/base/TaviError.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/numbers/ShownNumber.h"
#include "core/sectors/livestock/LivestockRun.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

// Cattle, pigs, horses, goats, poultry as a municipality types them.
LivestockInputs window()
{
    LivestockInputs in;
    const double heads[] = {15320, 8250, 912, 3400, 125000};
    const double litres[] = {50, 12.5, 40, 7.25, 0.33};
    for (int s = 0; s < kSpeciesCount; ++s)
        in[std::size_t(s)] = {heads[s], litres[s]};
    return in;
}

const projection::PlanningHorizon kHorizon{2026, 2056};

} // namespace

class LivestockHorizonTest : public QObject
{
    Q_OBJECT

    const LocaleSettings locale = LocaleSettings::brazilian();

private slots:
    void herdsFollowTheirDrivers()
    {
        LivestockDrivers drivers;
        drivers[0].annualGrowthPercent = 2;
        drivers[4].annualGrowthPercent = -1.5;
        drivers[1].typed = {{2036, 10000}, {2026, 8250}};
        const std::vector<LivestockYear> years =
            livestockOverHorizon(window(), kHorizon, drivers, locale);
        QCOMPARE(int(years.size()), 31);

        const livestock::Result today = livestock::run(window(), locale);
        QCOMPARE(shownNumber(years[0].daily, locale).text, today.total.texts.front());
        QCOMPARE(double(years[0].annual), double(years[0].daily) * 365);
        QCOMPARE(double(years[2].annual), double(years[2].daily) * 366); // 2028

        QVERIFY(std::fabs(double(years[10].heads[0]) - 15320 * std::pow(1.02, 10)) < 1e-6);
        QVERIFY(std::fabs(double(years[30].heads[4]) - 125000 * std::pow(0.985, 30)) < 1e-6);
        QCOMPARE(double(years[5].heads[1]), 9125.0);
        QCOMPARE(double(years[20].heads[1]), 10000.0);
        QCOMPARE(double(years[30].heads[2]), 912.0); // no driver: held

        // Each year's demand is the window's run on that year's herds.
        LivestockInputs in = window();
        for (int s = 0; s < kSpeciesCount; ++s)
            in[std::size_t(s)].heads = years[10].heads[std::size_t(s)];
        QCOMPARE(shownNumber(years[10].daily, locale).text,
                 livestock::run(in, locale).total.texts.front());
    }

    void refused_data()
    {
        QTest::addColumn<int>("species");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("typedYear"); // 0: none typed
        QTest::addColumn<double>("typedHeads");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a rate that ends the herd")
            << 0 << -100.0 << 0 << 0.0
            << "Bovino: uma taxa de -100 % ao ano acabaria com o rebanho; deve ser maior que "
               "-100 %.";
        QTest::newRow("a typed year out of range")
            << 3 << 0.0 << 2150 << 10.0 << "Caprino: o ano 2150 está fora de 1872 a 2100.";
        QTest::newRow("a negative herd")
            << 1 << 0.0 << 2030 << -1.0 << "Suíno: o rebanho de 2030 é negativo.";
        QTest::newRow("a rate beside typed counts is not used")
            << 2 << -300.0 << 2030 << 10.0 << "";
    }
    void refused()
    {
        QFETCH(int, species);
        QFETCH(double, rate);
        QFETCH(int, typedYear);
        QFETCH(double, typedHeads);
        QFETCH(QString, problem);
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        LivestockDrivers drivers;
        drivers[std::size_t(species)].annualGrowthPercent = rate;
        if (typedYear)
            drivers[std::size_t(species)].typed = {{typedYear, typedHeads}};
        const QString found = livestockDriversProblem(kHorizon, drivers);
        QVERIFY2(problem.isEmpty() ? found.isEmpty() : found == problem, qPrintable(found));
        if (!problem.isEmpty())
            QVERIFY_THROWS_EXCEPTION(TaviError,
                                     livestockOverHorizon(window(), kHorizon, drivers, locale));
    }
};

QTEST_GUILESS_MAIN(LivestockHorizonTest)
#include "tst_livestock_horizon.moc"
