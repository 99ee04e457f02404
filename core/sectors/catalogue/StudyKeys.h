#pragma once

#include <QLatin1String>

// The names a study file keeps its members under. They are the component names of the
// program's first windows and are part of the file format: a study written by any version
// reads by these, so they never change and are never taken from a class at run time.
namespace tavi::keys
{

// The file's windows.
constexpr QLatin1String kSupplyWindow("TF_Abast_Publico");
constexpr QLatin1String kLivestockWindow("TF_Mod_Pecuaria");
constexpr QLatin1String kAgricultureWindow("TF_Mod_Agricultura");
constexpr QLatin1String kDilutionWindow("TF_Dem_Agua");

// The agriculture window's input grids and the account of its series.
constexpr QLatin1String kCropTable("SG_Entrada");
constexpr QLatin1String kCropParameters("SG_Param");
constexpr QLatin1String kSeries("SG_Serie");
constexpr QLatin1String kSeriesOrigin("origem_serie");

// The fields of the supply and dilution windows; the livestock fields are named by species
// (LivestockAnimals.h).
constexpr QLatin1String kServedPopulation("me_1");
constexpr QLatin1String kCurrentPerCapita("me_2");
constexpr QLatin1String kTotalPopulation("me_3");
constexpr QLatin1String kUnservedPerCapita("me_4");
constexpr QLatin1String kSupplyEfficiency("me_5");
constexpr QLatin1String kPriceElasticity("e_p_1");
constexpr QLatin1String kWaterPrice("e_p_2");
constexpr QLatin1String kIncomeElasticity("e_p_3");
constexpr QLatin1String kIncome("e_p_4");

constexpr QLatin1String kRiverVelocity("ce_1");
constexpr QLatin1String kDecayRate("ce_2");
constexpr QLatin1String kDischargePoints("ce_3");
constexpr QLatin1String kEffluentFlow("ce_4");
constexpr QLatin1String kEffluentBod("ce_5");
constexpr QLatin1String kPermittedBod("ce_6");
constexpr QLatin1String kRiverBod("ce_7");
constexpr QLatin1String kTravelTime("ce_8");
constexpr QLatin1String kTotalTravelTime("ce_9");

} // namespace tavi::keys
