#pragma once

#include <QLatin1String>

// The names a study file keeps its planning horizon under: the horizon, its scenarios, and
// each scenario's drivers. Part of the file format, like StudyKeys.h: they never change.
namespace tavi::keys
{

// {"horizonte": {"ano_base": "2026", "ano_final": "2046", "cenarios": [{"nome": "Base",
//  "direcionadores": {...}, "tabelas": {...}, "janelas": {...}}, ...]}}
constexpr QLatin1String kHorizon("horizonte");
constexpr QLatin1String kBaseYear("ano_base");
constexpr QLatin1String kFinalYear("ano_final");
constexpr QLatin1String kScenarios("cenarios");
constexpr QLatin1String kScenarioName("nome");
constexpr QLatin1String kScenarioDrivers("direcionadores");
constexpr QLatin1String kScenarioTables("tabelas");
constexpr QLatin1String kScenarioWindows("janelas");

// The scenario every study with a horizon has, first, whose drivers the others follow.
constexpr QLatin1String kBaseScenario("Base");

// Public supply. The census counts and the typed populations are tables of [year, population]
// rows; the method by its key below.
constexpr QLatin1String kCensusCounts("censos");
constexpr QLatin1String kTypedPopulations("populacao_digitada");
constexpr QLatin1String kProjectionMethod("metodo");
constexpr QLatin1String kSaturation("saturacao");
constexpr QLatin1String kCoverageTarget("cobertura_alvo"); // percent
constexpr QLatin1String kCoverageTargetYear("ano_cobertura");
constexpr QLatin1String kPerCapitaPath("per_capita");            // one of the three below
constexpr QLatin1String kPerCapitaChange("variacao_per_capita"); // percent a year
constexpr QLatin1String kLossesToday("perdas_atuais");           // percent
constexpr QLatin1String kLossesTarget("perdas_alvo");            // percent
constexpr QLatin1String kLossesTargetYear("ano_perdas");

constexpr QLatin1String kPerCapitaElasticities("elasticidades");
constexpr QLatin1String kPerCapitaConstant("constante");
constexpr QLatin1String kPerCapitaAnnualChange("variacao_anual");

// The projection methods' keys, in kProjectionMethods' order.
constexpr QLatin1String kMethodKeys[] = {QLatin1String("aritmetico"),
                                         QLatin1String("geometrico"),
                                         QLatin1String("taxa_decrescente"),
                                         QLatin1String("logistico"),
                                         QLatin1String("tendencia_linear"),
                                         QLatin1String("tendencia_exponencial"),
                                         QLatin1String("tendencia_logaritmica"),
                                         QLatin1String("tendencia_potencia")};

// Livestock: "crescimento_" + the species' herd field (LivestockAnimals.h), percent a year;
// typed herds a table of [year, head count of each species] rows, a cell left empty where a
// species is not typed.
constexpr QLatin1String kHerdGrowthPrefix("crescimento_");
constexpr QLatin1String kTypedHerds("rebanhos_digitados");

// Irrigated agriculture: "crescimento_area_" + the class letter, percent a year; typed areas a
// table of [year, area of classes A to I] rows, empty cells where a class is not typed; the
// efficiency target (as the parameter table holds efficiencies) and its year, none when
// empty; the climate year.
constexpr QLatin1String kAreaGrowthPrefix("crescimento_area_");
constexpr QLatin1String kTypedAreas("areas_digitadas");
constexpr QLatin1String kEfficiencyTarget("eficiencia_alvo");
constexpr QLatin1String kEfficiencyTargetYear("ano_eficiencia");
constexpr QLatin1String kClimate("clima");
constexpr QLatin1String kClimateStudySeries("serie_do_estudo");
constexpr QLatin1String kClimateFactors("fatores");
constexpr QLatin1String kEtpFactor("fator_etp");
constexpr QLatin1String kRainFactor("fator_p");

// Dilution: the effluent flow follows the projected total population, or stays as typed.
constexpr QLatin1String kDilutionPath("diluicao");
constexpr QLatin1String kDilutionWithPopulation("populacao");
constexpr QLatin1String kDilutionAsTyped("digitada");

} // namespace tavi::keys
