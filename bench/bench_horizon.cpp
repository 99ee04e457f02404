#include "BenchUtil.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/horizon/SupplyHorizon.h"

// A 30-year horizon of the public supply and the herds, five times over as five scenarios
// would: each year the windows' own runs. Agriculture and dilution are not yet projected.
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
               QStringLiteral("goal < 200 with every sector"));
}
