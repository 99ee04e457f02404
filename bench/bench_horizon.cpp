#include "BenchUtil.h"
#include "FullStudy.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonRun.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/horizon/SupplyHorizon.h"

namespace
{

// A 30-year horizon and five scenarios in which every year's agriculture differs from the
// year before (its areas grow), so that no year is spared its daily simulation but by the
// scenarios' own choices.
tavi::Study horizonStudy()
{
    using namespace tavi;
    Study study = bench::fullStudy();
    study.horizon = horizon::newHorizon(study, 2026);
    study.horizon->finalYear = QStringLiteral("2056");
    study.horizon->scenarios.front().inputs.drivers[QStringLiteral("crescimento_area_A")] =
        QStringLiteral("1.5");
    const QMap<QString, QString> scenarios[] = {
        {{QStringLiteral("per_capita"), QStringLiteral("variacao_anual")},
         {QStringLiteral("variacao_per_capita"), QStringLiteral("1")}},
        {{QStringLiteral("crescimento_e_qte_bovino"), QStringLiteral("2")},
         {QStringLiteral("crescimento_area_C"), QStringLiteral("-1")}},
        {{QStringLiteral("eficiencia_alvo"), QStringLiteral("0.85")}},
        {{QStringLiteral("clima"), QStringLiteral("fatores")},
         {QStringLiteral("fator_etp"), QStringLiteral("1.1")},
         {QStringLiteral("diluicao"), QStringLiteral("digitada")}},
    };
    int n = 1;
    for (const QMap<QString, QString> &drivers : scenarios)
        study.horizon->scenarios.push_back(
            Scenario{QStringLiteral("Cenário %1").arg(n++), ScenarioInputs{drivers, {}, {}}});
    return study;
}

} // namespace

// The horizon's scenarios, each year the windows' own runs: the public supply and the herds
// alone, then every sector of a full study through the run the window and the command line use.
void benchHorizon()
{
    using namespace tavi;
    PublicSupplyInputs supply;
    supply.servedPopulation = 85432;
    supply.currentPerCapita = 0.18L;
    supply.totalPopulation = 97210;
    supply.unservedPerCapita = 0.07L;
    supply.efficiency = 72.5L;
    horizon::SupplyDrivers drivers;
    drivers.population.counts = {{2000, 70000}, {2010, 80000}, {2022, 95000}};
    LivestockInputs herds;
    for (int s = 0; s < kSpeciesCount; ++s)
        herds[std::size_t(s)] = {1000.0L * (s + 1), 10};
    horizon::LivestockDrivers growth;
    growth[0].annualGrowthPercent = 1.5L;
    const projection::PlanningHorizon years{2026, 2056};
    const LocaleSettings locale = LocaleSettings::brazilian();
    const double ms = bench::medianMs(11, [&] {
        for (int scenario = 0; scenario < 5; ++scenario) {
            drivers.perCapitaChangePercent = scenario;
            horizon::supplyOverHorizon(supply, years, drivers, locale);
            horizon::livestockOverHorizon(herds, years, growth, locale);
        }
    });
    bench::row(QStringLiteral("Horizon: 30 years x 5 scenarios, supply and livestock"), ms, "ms",
               QString());

    const Study study = horizonStudy();
    const double every = bench::medianMs(5, [&] { horizon::runHorizon(study, locale); });
    bench::row(QStringLiteral("Horizon: 30 years x 5 scenarios, every sector (runHorizon)"), every,
               "ms", QStringLiteral("goal < 200"));
}
