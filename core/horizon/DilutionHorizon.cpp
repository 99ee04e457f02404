#include "core/horizon/DilutionHorizon.h"

#include "core/base/TaviError.h"

#include <map>

namespace tavi::horizon
{

std::vector<DilutionYear> dilutionOverHorizon(const DilutionInputs &window,
                                              const projection::PlanningHorizon &horizon,
                                              DilutionPath path,
                                              const std::vector<long double> &populationFactors,
                                              const LocaleSettings &locale)
{
    const bool withPopulation = path == DilutionPath::WithPopulation;
    if (withPopulation && populationFactors.size() != std::size_t(horizon.years()))
        throw TaviError(QStringLiteral("A vazão de efluentes não tem a população de cada ano "
                                       "do horizonte para acompanhar."));
    // Years of the same effluent flow have the same river: each flow is run once.
    std::map<long double, DilutionYear> runs;
    std::vector<DilutionYear> years;
    for (int year = horizon.baseYear; year <= horizon.finalYear; ++year) {
        DilutionInputs in = window;
        // The base year is the window's flow as typed; the BOD5 is a concentration and stays,
        // so the load follows the flow.
        if (withPopulation && year != horizon.baseYear)
            in.effluentFlow =
                window.effluentFlow * populationFactors[std::size_t(year - horizon.baseYear)];
        auto found = runs.find(in.effluentFlow);
        if (found == runs.end()) {
            const dilution::Result run = dilution::run(in, locale);
            DilutionYear result;
            result.effluentFlow = in.effluentFlow;
            result.maximum = run.maximum;
            result.maximumText = run.maximumText;
            result.maximumPoint = run.maximumPoint;
            found = runs.emplace(in.effluentFlow, result).first;
        }
        DilutionYear row = found->second;
        row.year = year;
        years.push_back(row);
    }
    return years;
}

} // namespace tavi::horizon
