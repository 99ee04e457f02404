#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/base/LocaleSettings.h"
#include "core/summary/MunicipalSummary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The balance's results as the tables the window, the workbook, the report and the command line
// show: made once, in core, for all of them. Each fills a CellTable as far as it reaches, row 0
// the headings; Readable for the window and the report (grouped thousands, "—" where a figure
// does not exist), Stored for a workbook (numbers in the general format), as fillFiguresTable.
namespace tavi::balance
{

// The reference flows: "Vazão de referência", "Vazão (m3/s)", "Observação"; rows Q90, Q95,
// Q7,10 (the observation names the fit and its parameters, or why there is none), QMLT and,
// when typed, "Vazão digitada"; the chosen one marked "(escolhida)" in its observation, then
// the share that may be granted and the available flow.
constexpr int kReferenceFlowColumns = 3;
void fillReferenceFlowTable(CellTable &table, const WaterBalance &balance,
                            FiguresStyle style = FiguresStyle::Readable);

// The fits of the annual minima: "Ajuste", "Parâmetros", "Q7,10 (m3/s)"; rows Weibull,
// "Log-normal 3P", "Empírica".
constexpr int kFitColumns = 3;
void fillFitTable(CellTable &table, const WaterBalance &balance,
                  FiguresStyle style = FiguresStyle::Readable);

// The series' years: "Ano", "Dias", "Dias sem dado", "Usado", "Mínima de 7 dias (m3/s)".
constexpr int kSeriesYearColumns = 5;
void fillSeriesYearTable(CellTable &table, const WaterBalance &balance,
                         FiguresStyle style = FiguresStyle::Readable);

// The ratios: "Demanda", "Vazão (m3/s)", "Demanda / referência (%)", "Classe", "Uso da vazão
// outorgável (%)"; rows "Dia médio", "Dia de maior demanda", "Dia médio com diluição", "Dia de
// maior demanda com diluição" (the last two "—" without the dilution's result).
constexpr int kRatioColumns = 5;
void fillRatioTable(CellTable &table, const WaterBalance &balance,
                    FiguresStyle style = FiguresStyle::Readable);

// The months: "Mês", "Demanda média (m3/s)", "Demanda / referência (%)", "Classe", "Q95 do mês
// (m3/s)", "Demanda / Q95 do mês (%)", "Classe no mês".
constexpr int kMonthColumns = 7;
void fillMonthTable(CellTable &table, const WaterBalance &balance,
                    FiguresStyle style = FiguresStyle::Readable);

// A scenario's years: "Ano", "Demanda média (m3/s)", "Média / referência (%)", "Classe",
// "Demanda de pico (m3/s)", "Pico / referência (%)", "Classe no pico", "Média com diluição /
// referência (%)", "Classe com diluição".
constexpr int kHorizonBalanceColumns = 9;
void fillHorizonBalanceTable(CellTable &table, const ScenarioBalance &scenario,
                             FiguresStyle style = FiguresStyle::Readable);

// The command line's lines: the reference flow and the available flow, each ratio with its
// class, the months; then, with a horizon, each scenario's first critical year.
QString balanceText(const WaterBalance &balance, const LocaleSettings &locale);
QString horizonBalanceText(const std::vector<ScenarioBalance> &scenarios,
                           const LocaleSettings &locale);

} // namespace tavi::balance
