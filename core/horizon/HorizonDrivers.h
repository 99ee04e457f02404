#pragma once

#include "core/base/LocaleSettings.h"
#include "core/horizon/AgricultureHorizon.h"
#include "core/horizon/DilutionHorizon.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/horizon/SupplyHorizon.h"
#include "core/study/Study.h"

#include <QString>

// A scenario's drivers read from the texts the study keeps (HorizonKeys.h), and the horizon a
// study starts with.
namespace tavi::horizon
{

struct HorizonDrivers {
    projection::PlanningHorizon horizon;
    SupplyDrivers supply;
    LivestockDrivers livestock;
    AgricultureDrivers agriculture;
    DilutionPath dilution = DilutionPath::WithPopulation;
};

// The horizon's years as the study holds them; throws TaviError when a year is no whole
// number or horizonProblem() refuses them.
projection::PlanningHorizon readPlanningHorizon(const StudyHorizon &horizon);

// The drivers of a resolved scenario over the study's horizon. A driver the scenario does not
// hold takes its default (HorizonDrivers' members as constructed; the losses and the
// coverage of today read from the scenario's supply window). A text that is not what its
// driver takes throws TaviError naming the driver as the horizon window labels it
// ("Cobertura-alvo (%): 'abc' não é um valor de ponto flutuante válido"); a table row the same,
// with its row.
HorizonDrivers readDrivers(const StudyHorizon &horizon, const ResolvedScenario &scenario);

// The horizon a study starts with: from `baseYear` to kDefaultHorizonYears after it, and the
// Base scenario with every driver at its default and, for the census counts, an example built
// from the supply window's total population (me_3) in the base year: three counts ten years
// apart to which every method applies.
StudyHorizon newHorizon(const Study &study, int baseYear);

// The name the study file and the horizon window give a projection method (keys::kMethodKeys),
// and the method of a key; the geometric method for a key it does not know.
QString methodKey(projection::ProjectionMethod method);
projection::ProjectionMethod methodOfKey(const QString &key);

} // namespace tavi::horizon
