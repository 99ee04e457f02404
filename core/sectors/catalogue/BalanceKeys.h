#pragma once

#include <QLatin1String>

// The names a study file keeps its water balance under: the river's daily flows and the
// planner's choices. Part of the file format, like StudyKeys.h: they never change.
namespace tavi::keys
{

// {"balanco": {"serie": {"estacao": "56110000 - RIO ...", "origem": "vazoes.txt",
//  "inicio": "1990-01-01", "vazoes": ["12.5", "", ...]}, "referencia": "Q95",
//  "vazao_digitada": "", "fracao_outorgavel": "50", "inicio_ano_hidrologico": "1",
//  "ajuste": "weibull"}}
// "vazoes" holds one text a day from "inicio" on, "." as decimal separator, "" for a day
// without a value. A balance without a series has no "serie".
constexpr QLatin1String kBalance("balanco");
constexpr QLatin1String kFlowSeries("serie");
constexpr QLatin1String kFlowStation("estacao");
constexpr QLatin1String kFlowSource("origem");
constexpr QLatin1String kFlowFirstDay("inicio");
constexpr QLatin1String kFlowDays("vazoes");
constexpr QLatin1String kReferenceFlow("referencia");
constexpr QLatin1String kTypedFlow("vazao_digitada");     // m3/s
constexpr QLatin1String kGrantShare("fracao_outorgavel"); // percent of the reference flow
constexpr QLatin1String kHydrologicalYearStart("inicio_ano_hidrologico"); // month, 1 to 12
constexpr QLatin1String kMinimaFit("ajuste");

// The reference flows by key, and the fits.
constexpr QLatin1String kReferenceQ90("Q90");
constexpr QLatin1String kReferenceQ95("Q95");
constexpr QLatin1String kReferenceQ710("Q7,10");
constexpr QLatin1String kReferenceQmlt("QMLT");
constexpr QLatin1String kReferenceTyped("digitada");
constexpr QLatin1String kFitWeibull("weibull");
constexpr QLatin1String kFitLogNormal3("lognormal3");
constexpr QLatin1String kFitEmpirical("empirica");

} // namespace tavi::keys
