#include "core/horizon/LivestockHorizon.h"

#include "core/base/TaviError.h"
#include "core/numbers/GeneralFormat.h"
#include "core/projection/PopulationCounts.h"
#include "core/sectors/livestock/LivestockRun.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace tavi::horizon
{

QString livestockDriversProblem(const projection::PlanningHorizon &horizon,
                                const LivestockDrivers &drivers)
{
    const QString problem = projection::horizonProblem(horizon);
    if (!problem.isEmpty())
        return problem;
    for (int s = 0; s < kSpeciesCount; ++s) {
        const HerdDriver &driver = drivers[std::size_t(s)];
        const QString species = speciesCaption(s);
        if (driver.typed.empty()) {
            if (driver.annualGrowthPercent <= -100)
                return QStringLiteral("%1: uma taxa de %2 % ao ano acabaria com o rebanho; deve "
                                      "ser maior que -100 %.")
                    .arg(species, formatGeneral(driver.annualGrowthPercent));
            continue;
        }
        std::vector<int> years;
        for (const auto &[year, heads] : driver.typed) {
            if (year < projection::kFirstCountYear || year > projection::kLastProjectedYear)
                return QStringLiteral("%1: o ano %2 está fora de %3 a %4.")
                    .arg(species)
                    .arg(year)
                    .arg(projection::kFirstCountYear)
                    .arg(projection::kLastProjectedYear);
            if (heads < 0)
                return QStringLiteral("%1: o rebanho de %2 é negativo.").arg(species).arg(year);
            if (std::find(years.begin(), years.end(), year) != years.end())
                return QStringLiteral("%1: o ano %2 aparece duas vezes.").arg(species).arg(year);
            years.push_back(year);
        }
    }
    return QString();
}

std::vector<LivestockYear> livestockOverHorizon(const LivestockInputs &window,
                                                const projection::PlanningHorizon &horizon,
                                                const LivestockDrivers &drivers,
                                                const LocaleSettings &locale)
{
    const QString problem = livestockDriversProblem(horizon, drivers);
    if (!problem.isEmpty())
        throw TaviError(problem);
    std::vector<LivestockYear> years;
    for (int year = horizon.baseYear; year <= horizon.finalYear; ++year) {
        LivestockInputs in = window;
        // The base year is the window's herds as typed.
        if (year != horizon.baseYear) {
            for (int s = 0; s < kSpeciesCount; ++s) {
                const HerdDriver &driver = drivers[std::size_t(s)];
                SpeciesInput &species = in[std::size_t(s)];
                species.heads =
                    driver.typed.empty()
                        ? window[std::size_t(s)].heads *
                              std::pow(1 + driver.annualGrowthPercent / 100,
                                       static_cast<long double>(year - horizon.baseYear))
                        : projection::interpolatedIn(driver.typed, year);
            }
        }
        const livestock::Result run = livestock::run(in, locale);
        LivestockYear row;
        row.year = year;
        for (int s = 0; s < kSpeciesCount; ++s)
            row.heads[std::size_t(s)] = in[std::size_t(s)].heads;
        row.daily = run.total.values.front();
        row.annual = row.daily * QDate(year, 1, 1).daysInYear();
        years.push_back(row);
    }
    return years;
}

} // namespace tavi::horizon
