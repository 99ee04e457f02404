#include "core/horizon/SupplyHorizon.h"

#include "core/base/TaviError.h"
#include "core/sectors/supply/SupplyRun.h"

#include <QDate>

#include <cmath>

namespace tavi::horizon
{

namespace
{

QString typedPopulationProblem(const std::vector<std::pair<int, long double>> &typed)
{
    std::vector<projection::PopulationCount> rows;
    for (const auto &[year, population] : typed)
        rows.push_back({year, population});
    // One typed year is a population held from then on; the rules of counts hold otherwise.
    if (rows.size() == 1)
        rows.push_back({rows.front().year == projection::kLastProjectedYear
                            ? projection::kFirstCountYear
                            : projection::kLastProjectedYear,
                        0});
    return projection::countsProblem(rows);
}

} // namespace

QString populationDriverProblem(const PopulationDriver &population)
{
    if (!population.typed.empty())
        return typedPopulationProblem(population.typed);
    QString problem = projection::countsProblem(population.counts);
    if (!problem.isEmpty())
        return problem;
    const projection::ProjectionFit fit =
        projection::ProjectionFit::fit(population.method, population.counts, population.saturation);
    if (!fit.applies())
        return QStringLiteral("%1: não se aplica: %2.")
            .arg(projection::methodName(population.method), fit.problem());
    return QString();
}

QString supplyDriversProblem(const PublicSupplyInputs &window,
                             const projection::PlanningHorizon &horizon,
                             const SupplyDrivers &drivers)
{
    QString problem = projection::horizonProblem(horizon);
    if (!problem.isEmpty())
        return problem;
    problem = populationDriverProblem(drivers.population);
    if (!problem.isEmpty())
        return problem;
    if (window.totalPopulation > 0) {
        problem = projection::coverageProblem(
            window.servedPopulation / window.totalPopulation * 100,
            QStringLiteral("A cobertura atual (população atendida ÷ população total)"));
        if (!problem.isEmpty())
            return problem;
    }
    for (const QString &found :
         {projection::coverageProblem(drivers.coverageTargetPercent,
                                      QStringLiteral("A cobertura-alvo")),
          projection::lossesProblem(drivers.lossesTodayPercent, QStringLiteral("As perdas atuais")),
          projection::lossesProblem(drivers.lossesTargetPercent, QStringLiteral("As perdas-alvo"))})
        if (!found.isEmpty())
            return found;
    return QString();
}

std::vector<SupplyYear> supplyOverHorizon(const PublicSupplyInputs &window,
                                          const projection::PlanningHorizon &horizon,
                                          const SupplyDrivers &drivers,
                                          const LocaleSettings &locale)
{
    const QString problem = supplyDriversProblem(window, horizon, drivers);
    if (!problem.isEmpty())
        throw TaviError(problem);
    const int base = horizon.baseYear;
    const PopulationDriver &population = drivers.population;
    std::optional<projection::ProjectionFit> fit;
    if (population.typed.empty())
        fit = projection::ProjectionFit::fit(population.method, population.counts,
                                             population.saturation);
    const supply::Result baseRun = supply::run(window, locale);
    const long double todayShare =
        window.totalPopulation > 0 ? window.servedPopulation / window.totalPopulation : 0;
    const projection::PathToTarget coverage{base, todayShare, drivers.coverageTargetPercent / 100,
                                            drivers.coverageTargetYear};
    const projection::PathToTarget losses{base, drivers.lossesTodayPercent / 100,
                                          drivers.lossesTargetPercent / 100,
                                          drivers.lossesTargetYear};

    std::vector<SupplyYear> years;
    for (int year = base; year <= horizon.finalYear; ++year) {
        PublicSupplyInputs in = window;
        // The base year is the window's; later years move its populations as ratios of the
        // base year's, so that a driver left alone leaves them exactly as typed.
        if (year != base) {
            const long double growth = fit ? fit->populationIn(year) / fit->populationIn(base) : 1;
            in.totalPopulation = fit ? window.totalPopulation * growth
                                     : projection::interpolatedIn(population.typed, year);
            const long double shareChange =
                todayShare > 0 ? coverage.valueIn(year) / todayShare : 0;
            in.servedPopulation = todayShare > 0 && window.totalPopulation > 0
                                      ? window.servedPopulation *
                                            (in.totalPopulation / window.totalPopulation) *
                                            shareChange
                                      : in.totalPopulation * coverage.valueIn(year);
            switch (drivers.perCapita) {
            case PerCapitaPath::Constant:
                break;
            case PerCapitaPath::AnnualChange:
                in.currentPerCapita =
                    window.currentPerCapita * std::pow(1 + drivers.perCapitaChangePercent / 100,
                                                       static_cast<long double>(year - base));
                break;
            case PerCapitaPath::Elasticities:
                in.currentPerCapita = *baseRun.nextYearPerCapita;
                break;
            }
        }
        const long double daily = year == base ? baseRun.current.values.front()
                                               : supply::run(in, locale).current.values.front();
        SupplyYear row;
        row.year = year;
        row.totalPopulation = in.totalPopulation;
        row.servedPopulation = in.servedPopulation;
        row.perCapita = in.currentPerCapita;
        const long double lossFactor = (1 - losses.valueIn(base)) / (1 - losses.valueIn(year));
        row.daily = daily * lossFactor;
        row.annual = row.daily * QDate(year, 1, 1).daysInYear();
        years.push_back(row);
    }
    return years;
}

} // namespace tavi::horizon
