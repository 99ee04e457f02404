#pragma once

#include "core/base/LocaleSettings.h"
#include "core/horizon/AgricultureHorizon.h"
#include "core/horizon/DilutionHorizon.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/horizon/SupplyHorizon.h"
#include "core/study/Study.h"

#include <QMap>
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

// The label the horizon window gives a driver or a drivers' table, by its key (HorizonKeys.h,
// the growth keys with their animal's or class' suffix): "Cobertura-alvo (%)". Messages name
// drivers by it. The key itself for one it does not know.
QString driverLabel(const QString &key);

// Every driver's key with the text a new horizon gives it: what a driver the scenario does not
// hold, or holds empty, reads as. Empty texts mean none for the saturation and the efficiency
// target, and the losses of today kept for the losses' target.
const QMap<QString, QString> &defaultDriverTexts();

// The horizon's years as the study holds them; throws TaviError when a year is no whole
// number or horizonProblem() refuses them.
projection::PlanningHorizon readPlanningHorizon(const StudyHorizon &horizon);

// The drivers of a resolved scenario over the study's horizon. A driver the scenario does not
// hold, or holds empty, takes its default (defaultDriverTexts(); the coverage of today is the
// supply window's, read by supplyOverHorizon()). A text that is not what its driver takes
// throws TaviError naming the driver as the horizon window labels it ("Cobertura-alvo (%):
// 'abc' não é um valor de ponto flutuante válido"); a table's cell the same, with its row
// ("Censos, linha 2: ..."). Empty rows of a table are skipped; in the typed herds and areas an
// empty cell is an animal or a class not typed that year.
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
