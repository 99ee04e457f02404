// A scenario's drivers read from the study's texts: a driver not held reads as its default, a
// text its driver cannot take is refused naming the driver as the window labels it, and a new
// horizon's example counts let every projection method apply.
#include "core/base/TaviError.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/SummaryStudies.h"

#include <QTest>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

Study studyWithHorizon(const QString &totalPopulation = QStringLiteral("30000"))
{
    Study study = testing::everySectorStudy();
    study.windows[keys::kSupplyWindow].fields[keys::kTotalPopulation] = totalPopulation;
    study.horizon = newHorizon(study, 2026);
    return study;
}

HorizonDrivers driversOf(const Study &study, const QMap<QString, QString> &drivers,
                         const QMap<QString, StudyGrid> &tables = {})
{
    ResolvedScenario scenario = resolveScenario(study, 0);
    for (auto d = drivers.cbegin(); d != drivers.cend(); ++d)
        scenario.drivers[d.key()] = d.value();
    for (auto t = tables.cbegin(); t != tables.cend(); ++t)
        scenario.tables[t.key()] = t.value();
    return readDrivers(*study.horizon, scenario);
}

} // namespace

class HorizonDriversTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // A new horizon's texts, no texts at all and empty texts all read as the defaults.
    void defaults()
    {
        const Study study = studyWithHorizon();
        QCOMPARE(study.horizon->baseYear, QStringLiteral("2026"));
        QCOMPARE(study.horizon->finalYear, QStringLiteral("2046"));
        QCOMPARE(study.horizon->scenarios.front().name, QStringLiteral("Base"));
        QMap<QString, QString> empty;
        for (const QString &key : defaultDriverTexts().keys())
            empty.insert(key, QStringLiteral(" "));
        Study bare = study;
        bare.horizon->scenarios.front().inputs.drivers.clear();
        for (const HorizonDrivers &d :
             {driversOf(study, {}), driversOf(bare, {}), driversOf(study, empty)}) {
            QCOMPARE(d.horizon.baseYear, 2026);
            QCOMPARE(d.horizon.finalYear, 2046);
            QCOMPARE(d.supply.population.method, projection::ProjectionMethod::Geometric);
            QVERIFY(!d.supply.population.saturation);
            QCOMPARE(double(d.supply.coverageTargetPercent), 99.0);
            QCOMPARE(d.supply.coverageTargetYear, 2033);
            QCOMPARE(d.supply.perCapita, PerCapitaPath::Elasticities);
            QCOMPARE(double(d.supply.lossesTargetPercent), 0.0);
            QCOMPARE(double(d.livestock[4].annualGrowthPercent), 0.0);
            QCOMPARE(double(d.agriculture.areas[8].annualGrowthPercent), 0.0);
            QVERIFY(!d.agriculture.efficiencyTarget);
            QCOMPARE(d.agriculture.climate, ClimateChoice::StudySeries);
            QCOMPARE(double(d.agriculture.etpFactor), 1.0);
            QCOMPARE(d.dilution, DilutionPath::WithPopulation);
        }
        // Losses with no target of their own stay as they are today.
        QCOMPARE(double(driversOf(study, {{"perdas_atuais", "32.5"}}).supply.lossesTargetPercent),
                 32.5);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem"); // empty: read
        QTest::newRow("a number") << "cobertura_alvo"
                                  << "abc"
                                  << "Cobertura-alvo (%): 'abc' não é um valor de ponto "
                                     "flutuante válido";
        QTest::newRow("a decimal comma")
            << "crescimento_e_qte_suino"
            << "1,5"
            << "Crescimento do rebanho, Suíno (% ao ano): '1,5' não é um valor de ponto "
               "flutuante válido";
        QTest::newRow("a year not whole") << "ano_perdas"
                                          << "2030.5"
                                          << "Ano das perdas-alvo: '2030.5' não é um ano válido";
        QTest::newRow("an unknown method")
            << "metodo"
            << "exponencial"
            << "Método de projeção: 'exponencial' não é uma das opções";
        QTest::newRow("an unknown climate") << "clima"
                                            << "seco"
                                            << "Clima: 'seco' não é uma das opções";
        QTest::newRow("an area growth")
            << "crescimento_area_C"
            << "x"
            << "Crescimento da área irrigada, classe C (% ao ano): 'x' não é um valor de ponto "
               "flutuante válido";
        QTest::newRow("a year as a sheet writes it") << "ano_eficiencia"
                                                     << "2040.0"
                                                     << "";
        QTest::newRow("a method") << "metodo"
                                  << "logistico"
                                  << "";
    }
    void texts()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        try {
            const HorizonDrivers d = driversOf(studyWithHorizon(), {{key, text}});
            QVERIFY2(problem.isEmpty(), "read");
            QVERIFY(d.agriculture.efficiencyTargetYear == 2040 ||
                    d.supply.population.method == projection::ProjectionMethod::Logistic);
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), problem);
        }
    }

    // The tables: rows in any order, empty rows skipped, empty cells not typed; a bad cell
    // named by its row.
    void tables()
    {
        const Study study = studyWithHorizon();
        const HorizonDrivers d =
            driversOf(study, {},
                      {{"populacao_digitada", {{"2030", "31000"}, {"", ""}, {"2040", "35000.5"}}},
                       {"rebanhos_digitados", {{"2030", "", "900"}, {"2040", "1000", ""}}},
                       {"areas_digitadas", {{"2035", "", "", "", "", "", "", "", "", "12"}}}});
        QCOMPARE(int(d.supply.population.typed.size()), 2);
        QCOMPARE(double(d.supply.population.typed[1].second), 35000.5);
        QCOMPARE(int(d.supply.population.counts.size()), 3);
        QCOMPARE(int(d.livestock[0].typed.size()), 1);
        QCOMPARE(d.livestock[0].typed[0].first, 2040);
        QCOMPARE(double(d.livestock[1].typed[0].second), 900.0);
        QVERIFY(d.livestock[2].typed.empty());
        QCOMPARE(double(d.agriculture.areas[8].typed[0].second), 12.0);
        QVERIFY(d.agriculture.areas[0].typed.empty());
        try {
            driversOf(study, {}, {{"censos", {{"2000", "10"}, {"", ""}, {"2010", "onze"}}}});
            QFAIL("read");
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), QStringLiteral("Censos, linha 3: 'onze' não é um valor de "
                                                 "ponto flutuante válido"));
        }
        Study badYear = study;
        badYear.horizon->finalYear = QStringLiteral("dois mil");
        QVERIFY_THROWS_EXCEPTION(TaviError, readPlanningHorizon(*badYear.horizon));
    }

    // Three counts ten years apart reaching the window's population in the base year, each
    // method applying; none where the window has no population to reach.
    void exampleCounts_data()
    {
        QTest::addColumn<QString>("population");
        QTest::addColumn<bool>("counts");
        QTest::newRow("a town") << "30000" << true;
        QTest::newRow("a city, typed with decimals") << "1234567.89" << true;
        QTest::newRow("a village") << "48" << true;
        QTest::newRow("none") << "" << false;
    }
    void exampleCounts()
    {
        QFETCH(QString, population);
        QFETCH(bool, counts);
        const HorizonDrivers d = driversOf(studyWithHorizon(population), {});
        QCOMPARE(!d.supply.population.counts.empty(), counts);
        if (!counts)
            return;
        QCOMPARE(int(d.supply.population.counts.size()), 3);
        QCOMPARE(d.supply.population.counts[0].year, 2006);
        QCOMPARE(d.supply.population.counts[2].year, 2026);
        QCOMPARE(double(d.supply.population.counts[2].population),
                 std::round(population.toDouble()));
        for (const projection::ProjectionFit &fit :
             projection::fitEveryMethod(d.supply.population.counts))
            QVERIFY2(fit.applies(), qPrintable(fit.problem()));
    }
};

QTEST_GUILESS_MAIN(HorizonDriversTest)
#include "tst_horizon_drivers.moc"
