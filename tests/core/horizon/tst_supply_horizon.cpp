// The public supply over a planning horizon: the base year is the window's ATUAL, text for
// text, and the year after its FUTURA when nothing else moves; the population, the share
// served, the per-capita demand and the losses then move as their drivers say; and what
// cannot be projected is refused before anything is.
#include "core/base/TaviError.h"
#include "core/horizon/SupplyHorizon.h"
#include "core/numbers/ShownNumber.h"
#include "core/sectors/supply/SupplyRun.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::horizon;
using namespace tavi::projection;

namespace
{

PublicSupplyInputs window()
{
    PublicSupplyInputs in;
    in.servedPopulation = 85432;
    in.currentPerCapita = 0.18L;
    in.totalPopulation = 97210;
    in.unservedPerCapita = 0.07L;
    in.efficiency = 72.5L;
    in.priceElasticity = -0.024375L;
    in.price = 3.85L;
    in.incomeElasticity = 0.000013L;
    in.income = 24873.46L;
    return in;
}

// Drivers that leave everything as the window has it.
SupplyDrivers heldAsTyped()
{
    SupplyDrivers drivers;
    drivers.population.counts = {{2010, 90000}, {2022, 90000}};
    drivers.population.method = ProjectionMethod::Arithmetic;
    drivers.coverageTargetPercent = 85432.0L / 97210 * 100;
    drivers.perCapita = PerCapitaPath::Constant;
    return drivers;
}

const PlanningHorizon kHorizon{2026, 2046};

} // namespace

class SupplyHorizonTest : public QObject
{
    Q_OBJECT

    const LocaleSettings locale = LocaleSettings::brazilian();

private slots:
    void baseYearIsTheWindowsAtual()
    {
        SupplyDrivers drivers = heldAsTyped();
        drivers.population.method = ProjectionMethod::Geometric;
        drivers.population.counts = {{2000, 70000}, {2010, 80000}, {2022, 95000}};
        drivers.perCapita = PerCapitaPath::AnnualChange;
        drivers.perCapitaChangePercent = 1.5;
        drivers.lossesTodayPercent = 35;
        drivers.lossesTargetPercent = 25;
        drivers.coverageTargetPercent = 99;
        const supply::Result run = supply::run(window(), locale);
        const std::vector<SupplyYear> years =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        QCOMPARE(int(years.size()), 21);
        QCOMPARE(years.front().year, 2026);
        QCOMPARE(shownNumber(years.front().daily, locale).text, run.current.texts.front());
        QCOMPARE(years.front().servedPopulation, window().servedPopulation);
        QCOMPARE(years.front().totalPopulation, window().totalPopulation);
        QCOMPARE(double(years.front().annual), double(years.front().daily) * 365);
        QCOMPARE(years.back().year, 2046);
    }

    // With the population and the share held, the per-capita demand left at the window's
    // elasticities gives the window's FUTURA the year after, and keeps it.
    void yearAfterIsTheWindowsFutura()
    {
        SupplyDrivers drivers = heldAsTyped();
        drivers.perCapita = PerCapitaPath::Elasticities;
        const supply::Result run = supply::run(window(), locale);
        const std::vector<SupplyYear> years =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        QCOMPARE(shownNumber(years[1].daily, locale).text, run.nextYear.texts.front());
        QCOMPARE(shownNumber(years[20].daily, locale).text, run.nextYear.texts.front());
        QCOMPARE(double(years[1].perCapita), double(*run.nextYearPerCapita));
    }

    // The share served reaches its target in its year and stays; the total population
    // grows as the method fitted to the counts grows from the base year.
    void populationAndShareFollowTheirDrivers()
    {
        SupplyDrivers drivers = heldAsTyped();
        drivers.population.method = ProjectionMethod::Geometric;
        drivers.population.counts = {{2000, 70000}, {2010, 80000}, {2022, 95000}};
        drivers.coverageTargetPercent = 99;
        drivers.coverageTargetYear = 2033;
        const std::vector<SupplyYear> years =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        const ProjectionFit fit =
            ProjectionFit::fit(ProjectionMethod::Geometric, drivers.population.counts);
        for (const SupplyYear &year : years) {
            const double expected =
                97210 * double(fit.populationIn(year.year) / fit.populationIn(2026));
            QVERIFY(std::fabs(double(year.totalPopulation) - expected) < 1e-6);
            const double share = double(year.servedPopulation / year.totalPopulation);
            if (year.year >= 2033)
                QVERIFY2(std::fabs(share - 0.99) < 1e-12, qPrintable(QString::number(year.year)));
            else
                QVERIFY(share < 0.99);
        }
        // Three of the seven years to 2033: three sevenths of the way.
        const double today = 85432.0 / 97210;
        const double third = double(years[3].servedPopulation / years[3].totalPopulation);
        QVERIFY(std::fabs(third - (today + (0.99 - today) * 3 / 7)) < 1e-12);
    }

    // A per-capita change compounds a year; losses brought down scale the gross demand by
    // (1 - L0) / (1 - Lt).
    void perCapitaAndLosses()
    {
        SupplyDrivers drivers = heldAsTyped();
        drivers.perCapita = PerCapitaPath::AnnualChange;
        drivers.perCapitaChangePercent = -1;
        const std::vector<SupplyYear> plain =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        QVERIFY(std::fabs(double(plain[10].perCapita) - 0.18 * std::pow(0.99, 10)) < 1e-12);

        drivers.lossesTodayPercent = 30;
        drivers.lossesTargetPercent = 20;
        drivers.lossesTargetYear = 2036;
        const std::vector<SupplyYear> lessLosses =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        QCOMPARE(lessLosses[0].daily, plain[0].daily);
        QVERIFY(std::fabs(double(lessLosses[10].daily / plain[10].daily) - 0.7 / 0.8) < 1e-12);
        QVERIFY(std::fabs(double(lessLosses[5].daily / plain[5].daily) - 0.7 / 0.75) < 1e-12);
        QVERIFY(std::fabs(double(lessLosses[20].daily / plain[20].daily) - 0.7 / 0.8) < 1e-12);
    }

    // Populations typed for some years are taken as they are after the base year.
    void typedPopulations()
    {
        SupplyDrivers drivers = heldAsTyped();
        drivers.population.typed = {{2026, 97210}, {2036, 107210}, {2046, 112210}};
        const std::vector<SupplyYear> years =
            supplyOverHorizon(window(), kHorizon, drivers, locale);
        QCOMPARE(double(years[5].totalPopulation), 102210.0);
        QCOMPARE(double(years[15].totalPopulation), 109710.0);
    }

    void refused_data()
    {
        QTest::addColumn<int>("finalYear");
        QTest::addColumn<int>("change"); // which driver is spoilt
        QTest::addColumn<QString>("problem");
        QTest::newRow("final year before the base")
            << 2020 << 0 << "O ano final (2020) é anterior ao ano-base (2026).";
        QTest::newRow("one count") << 2046 << 1
                                   << "Informe ao menos duas contagens de população (ano e "
                                      "população).";
        QTest::newRow("logistic that does not apply")
            << 2046 << 2
            << "Curva logística: não se aplica: as contagens de 2000, 2010 e 2020 "
               "não crescem sempre (P0 < P1 < P2).";
        QTest::newRow("coverage above 100 %")
            << 2046 << 3 << "A cobertura-alvo de 101 % passa de 100 %.";
        QTest::newRow("losses of 100 %")
            << 2046 << 4
            << "As perdas-alvo de 100 % não deixam água para os consumidores: devem ficar abaixo "
               "de 100 %.";
        QTest::newRow("served above total")
            << 2046 << 5
            << "A cobertura atual (população atendida ÷ população total) de 110 % passa de "
               "100 %.";
        QTest::newRow("typed year twice") << 2046 << 6 << "O ano 2030 aparece duas vezes.";
    }
    void refused()
    {
        QFETCH(int, finalYear);
        QFETCH(int, change);
        QFETCH(QString, problem);
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        SupplyDrivers drivers = heldAsTyped();
        PublicSupplyInputs in = window();
        switch (change) {
        case 1:
            drivers.population.counts = {{2010, 90000}};
            break;
        case 2:
            drivers.population.method = ProjectionMethod::Logistic;
            drivers.population.counts = {{2000, 90000}, {2010, 80000}, {2020, 95000}};
            break;
        case 3:
            drivers.coverageTargetPercent = 101;
            break;
        case 4:
            drivers.lossesTargetPercent = 100;
            break;
        case 5:
            in.servedPopulation = 110;
            in.totalPopulation = 100;
            break;
        case 6:
            drivers.population.typed = {{2030, 1}, {2030, 2}};
            break;
        }
        const PlanningHorizon horizon{2026, finalYear};
        QCOMPARE(supplyDriversProblem(in, horizon, drivers), problem);
        QVERIFY_THROWS_EXCEPTION(TaviError, supplyOverHorizon(in, horizon, drivers, locale));
    }
};

QTEST_GUILESS_MAIN(SupplyHorizonTest)
#include "tst_supply_horizon.moc"
