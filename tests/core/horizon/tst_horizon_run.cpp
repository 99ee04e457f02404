// A study's scenarios over its horizon: the Base scenario's base year is what the windows
// compute; a scenario differs from the base only where what it overrides reaches; the totals
// add the sectors computed day by day; a sector that fails leaves a partial total; and the
// scenarios compare with the base in their final year and where they differ most.
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonRun.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/SummaryStudies.h"

#include <QTest>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

const LocaleSettings kLocale = LocaleSettings::brazilian();

Study withHorizon(Study study, const std::vector<Scenario> &others = {})
{
    study.horizon = newHorizon(study, 2026);
    for (const Scenario &scenario : others)
        study.horizon->scenarios.push_back(scenario);
    return study;
}

Scenario driving(const QString &name, const QMap<QString, QString> &drivers,
                 const QMap<QString, StudyGrid> &tables = {})
{
    return Scenario{name, ScenarioInputs{drivers, tables, {}}};
}

enum Reach { Supply = 1, Livestock = 2, Agriculture = 4, Dilution = 8 };

// Which of the sectors' figures differ between two years.
int differing(const HorizonYear &a, const HorizonYear &b)
{
    int found = 0;
    for (int s = 0; s < kSummarySectors; ++s)
        if (a.sectors[std::size_t(s)].annual != b.sectors[std::size_t(s)].annual)
            found |= 1 << s;
    if (a.dilutionMaximum != b.dilutionMaximum)
        found |= Dilution;
    return found;
}

} // namespace

class HorizonRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(kLocale); }

    void baseYearIsTheWindows()
    {
        const Study study = withHorizon(testing::everySectorStudy());
        const ScenarioRun run = runScenario(study, 0, kLocale);
        QVERIFY2(run.computed(), qPrintable(run.problem));
        QCOMPARE(run.errorMessages(), QStringList());
        QCOMPARE(run.name, QStringLiteral("Base"));
        QCOMPARE(run.populationSource, QStringLiteral("Geométrico"));
        QCOMPARE(int(run.years.size()), 21);
        const MunicipalSummary today = summarizeStudy(study, SupplyScenario::Current, kLocale);
        const HorizonYear &base = run.years.front();
        QCOMPARE(base.sectors[SupplySector].meanDaily, today.sectors[SupplySector].daily[0]);
        QCOMPARE(base.sectors[LivestockSector].peakDaily, today.sectors[LivestockSector].daily[0]);
        long double agriculture = 0;
        for (int day = 0; day < 365; ++day)
            agriculture += today.sectors[AgricultureSector].daily[std::size_t(day)];
        QCOMPARE(base.sectors[AgricultureSector].annual, agriculture);
        QCOMPARE(base.dilutionMaximumText, today.dilutionMaximumText);
        QCOMPARE(double(base.totalPopulation), 30000.0);
        QCOMPARE(double(base.servedPopulation), 25000.0);
    }

    // A scenario that overrides one driver or one window field differs from the base only in
    // the sectors that reach; in the base year only a window field moves anything.
    void overrides_data()
    {
        QTest::addColumn<QString>("window"); // empty: a driver
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("reach");
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "" << 0;
        QTest::newRow("herd growth") << ""
                                     << "crescimento_e_qte_bovino"
                                     << "3" << int(Livestock);
        QTest::newRow("area growth") << ""
                                     << "crescimento_area_A"
                                     << "2" << int(Agriculture);
        QTest::newRow("coverage target") << ""
                                         << "cobertura_alvo"
                                         << "90" << int(Supply);
        QTest::newRow("another method") << ""
                                        << "metodo"
                                        << "aritmetico" << int(Supply | Dilution);
        QTest::newRow("effluent as typed") << ""
                                           << "diluicao"
                                           << "digitada" << int(Dilution);
        QTest::newRow("climate factors") << ""
                                         << "clima"
                                         << "fatores" << 0;
        QTest::newRow("per-capita") << "TF_Abast_Publico"
                                    << "me_2"
                                    << "0.25" << int(Supply);
        QTest::newRow("herd") << "TF_Mod_Pecuaria"
                              << "e_qte_bovino"
                              << "15000" << int(Livestock);
        QTest::newRow("BOD5") << "TF_Dem_Agua"
                              << "ce_5"
                              << "400" << int(Dilution);
    }
    void overrides()
    {
        QFETCH(QString, window);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, reach);
        Scenario scenario{QStringLiteral("Alternativo"), {}};
        if (window.isEmpty() && !key.isEmpty())
            scenario.inputs.drivers[key] = text;
        else if (!key.isEmpty())
            scenario.inputs.windows[window].fields[key] = text;
        const Study study = withHorizon(testing::everySectorStudy(), {scenario});
        const ScenarioRun base = runScenario(study, 0, kLocale);
        const ScenarioRun run = runScenario(study, 1, kLocale);
        QVERIFY2(run.computed(), qPrintable(run.problem));
        QCOMPARE(run.name, QStringLiteral("Alternativo"));
        QCOMPARE(differing(run.years.back(), base.years.back()), reach);
        QCOMPARE(differing(run.years.front(), base.years.front()), window.isEmpty() ? 0 : reach);
    }

    // Supply and livestock are the same every day: the total's peak is theirs plus the
    // agriculture's largest day of the year's own days.
    void totals_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        QTest::newRow("a common year") << 2026 << 365;
        QTest::newRow("a leap year") << 2028 << 366;
    }
    void totals()
    {
        QFETCH(int, year);
        QFETCH(int, days);
        Study study = testing::everySectorStudy();
        // The driest and hottest day is the 366th, which only a leap year has; class A, planted
        // on day 7 for 360 days, still asks water then.
        WindowInputs &window = study.windows[keys::kAgricultureWindow];
        window.grids[keys::kSeries][365] = {"200", "0"};
        window.grids[keys::kCropParameters][0][0] = "7";
        const ScenarioRun run = runScenario(withHorizon(study), 0, kLocale);
        const HorizonYear &found = run.years[std::size_t(year - 2026)];
        const DemandFigures &supply = found.sectors[SupplySector];
        const DemandFigures &livestock = found.sectors[LivestockSector];
        const DemandFigures &agriculture = found.sectors[AgricultureSector];
        QCOMPARE(found.total.annual, supply.annual + livestock.annual + agriculture.annual);
        QCOMPARE(found.total.peakDaily,
                 supply.peakDaily + livestock.peakDaily + agriculture.peakDaily);
        QVERIFY(found.total.peakDaily > found.total.meanDaily);
        QCOMPARE(agriculture.peakDaily > run.years[0].sectors[AgricultureSector].peakDaily,
                 days == 366);
    }

    void partial_data()
    {
        QTest::addColumn<bool>("supplyFails");
        QTest::addColumn<bool>("agricultureFails");
        QTest::addColumn<QString>("dilution");
        QTest::addColumn<QStringList>("messages");
        const QString agriculture =
            QStringLiteral("Agricultura: 'abc' não é um valor de ponto flutuante válido");
        const QString supply =
            QStringLiteral("Abastecimento Público: A \"Eficiência média do sistema de "
                           "abastecimento\" deve estar entre 0 e 100 % (0: não informada); 150 % "
                           "está fora desse intervalo");
        const QString dilution =
            QStringLiteral("Diluição de Esgotos Domésticos: a vazão de efluentes acompanha a "
                           "população, que não pôde ser projetada porque o Abastecimento Público "
                           "não foi calculado.");
        QTest::newRow("agriculture") << false << true << "populacao" << QStringList{agriculture};
        QTest::newRow("supply") << true << false << "populacao" << QStringList{supply, dilution};
        QTest::newRow("supply, effluent as typed")
            << true << true << "digitada" << QStringList{supply, agriculture};
    }
    void partial()
    {
        QFETCH(bool, supplyFails);
        QFETCH(bool, agricultureFails);
        QFETCH(QString, dilution);
        QFETCH(QStringList, messages);
        Study study =
            agricultureFails ? testing::agricultureFailingStudy() : testing::everySectorStudy();
        if (supplyFails)
            study.windows[keys::kSupplyWindow].fields[keys::kSupplyEfficiency] = "150";
        study = withHorizon(study);
        study.horizon->scenarios.front().inputs.drivers["diluicao"] = dilution;
        const ScenarioRun run = runScenario(study, 0, kLocale);
        QVERIFY(run.computed());
        QVERIFY(run.isPartial());
        QCOMPARE(run.errorMessages(), messages);
        QCOMPARE(run.errorPlaces().contains(testing::kSpoiledCellPlace), agricultureFails);
        QCOMPARE(run.sectorComputed(SupplySector), !supplyFails);
        QCOMPARE(run.sectorComputed(AgricultureSector), !agricultureFails);
        const HorizonYear &last = run.years.back();
        long double computed = 0;
        for (int s = 0; s < kSummarySectors; ++s)
            if (run.sectorComputed(s))
                computed += last.sectors[std::size_t(s)].annual;
        QCOMPARE(last.total.annual, computed);
        QVERIFY(run.partialNote().startsWith(QStringLiteral("total parcial, sem ")));
        QCOMPARE(run.dilutionError.isEmpty(),
                 !supplyFails || dilution == QStringLiteral("digitada"));
        QCOMPARE(last.dilutionMaximum > 0, run.dilutionError.isEmpty());
    }

    void problems_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a driver") << "cobertura_alvo"
                                  << "Cobertura-alvo (%): 'abc' não é um valor de ponto flutuante "
                                     "válido";
        QTest::newRow("the counts")
            << "censos"
            << "Informe ao menos duas contagens de população (ano e população).";
        QTest::newRow("no horizon") << ""
                                    << "O estudo não tem horizonte de planejamento.";
    }
    void problems()
    {
        QFETCH(QString, key);
        QFETCH(QString, problem);
        Study study = testing::everySectorStudy();
        if (!key.isEmpty())
            study = withHorizon(study,
                                {driving("Outro", {{key, "abc"}}, {{key, {{"2010", "30000"}}}})});
        const ScenarioRun run = runScenario(study, key.isEmpty() ? 0 : 1, kLocale);
        QCOMPARE(run.problem, problem);
        QVERIFY(run.years.empty());
        QVERIFY(!run.isPartial());
    }

    // Every scenario at once gives what each gives alone; the differences with the base in
    // the final year and in the year they differ most.
    void differences()
    {
        const Study study =
            withHorizon(testing::everySectorStudy(),
                        {driving("Mais gado", {{"crescimento_e_qte_bovino", "3"}}),
                         driving("Menos área", {{"crescimento_area_C", "-2"}}),
                         driving("Gado de passagem", {},
                                 {{"rebanhos_digitados",
                                   {{"2026", "12000"}, {"2036", "20000"}, {"2046", "12000"}}}}),
                         driving("Igual", {}), driving("Quebrado", {{"fator_p", "x"}})});
        const std::vector<ScenarioRun> runs = runHorizon(study, kLocale);
        QCOMPARE(int(runs.size()), 6);
        for (int s = 0; s < 6; ++s) {
            const ScenarioRun alone = runScenario(study, s, kLocale);
            QCOMPARE(runs[std::size_t(s)].name, alone.name);
            QCOMPARE(runs[std::size_t(s)].years.size(), alone.years.size());
            for (std::size_t y = 0; y < alone.years.size(); ++y)
                QCOMPARE(runs[std::size_t(s)].years[y].total.annual, alone.years[y].total.annual);
        }

        const std::vector<ScenarioDifference> rows = differencesFromBase(runs);
        QCOMPARE(int(rows.size()), 5);
        const long double baseFinal = runs[0].years.back().total.annual;
        const ScenarioDifference &more = rows[0];
        QCOMPARE(more.finalTotal, runs[1].years.back().total.annual);
        QCOMPARE(more.finalDifference, more.finalTotal - baseFinal);
        QCOMPARE(more.finalPercent, more.finalDifference / baseFinal * 100);
        QCOMPARE(more.largestYear, 2046);
        QVERIFY(rows[1].finalDifference < 0);
        QCOMPARE(rows[1].largestYear, 2046);
        QCOMPARE(double(rows[2].finalDifference), 0.0);
        QCOMPARE(rows[2].largestYear, 2036);
        QCOMPARE(rows[2].largestDifference,
                 runs[3].years[10].total.annual - runs[0].years[10].total.annual);
        QCOMPARE(rows[3].largestYear, 2026); // no difference: the first year
        QVERIFY(!rows[4].computed);
        QCOMPARE(rows[4].note, runs[5].problem);
        QVERIFY(rows[4].note.startsWith(QStringLiteral("Fator da precipitação: 'x'")));

        std::atomic<bool> cancelled{true};
        QCOMPARE(int(runHorizon(study, kLocale, &cancelled).size()), 6);
    }
};

QTEST_GUILESS_MAIN(HorizonRunTest)
#include "tst_horizon_run.moc"
