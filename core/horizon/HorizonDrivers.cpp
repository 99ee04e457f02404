#include "core/horizon/HorizonDrivers.h"

#include "core/base/TaviError.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"

// Provisional: the drivers at their defaults until their reading is written.
namespace tavi::horizon
{

projection::PlanningHorizon readPlanningHorizon(const StudyHorizon &horizon)
{
    projection::PlanningHorizon years{horizon.baseYear.toInt(), horizon.finalYear.toInt()};
    const QString problem = projection::horizonProblem(years);
    if (!problem.isEmpty())
        throw TaviError(problem);
    return years;
}

HorizonDrivers readDrivers(const StudyHorizon &horizon, const ResolvedScenario &)
{
    HorizonDrivers drivers;
    drivers.horizon = readPlanningHorizon(horizon);
    return drivers;
}

StudyHorizon newHorizon(const Study &, int baseYear)
{
    StudyHorizon horizon;
    horizon.baseYear = QString::number(baseYear);
    horizon.finalYear = QString::number(baseYear + projection::kDefaultHorizonYears);
    horizon.scenarios.push_back(Scenario{QString(keys::kBaseScenario), {}});
    return horizon;
}

QString methodKey(projection::ProjectionMethod method)
{
    return QString(keys::kMethodKeys[int(method)]);
}

projection::ProjectionMethod methodOfKey(const QString &key)
{
    for (projection::ProjectionMethod method : projection::kProjectionMethods) {
        if (key == keys::kMethodKeys[int(method)])
            return method;
    }
    return projection::ProjectionMethod::Geometric;
}

} // namespace tavi::horizon
