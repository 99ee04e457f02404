#pragma once

#include "core/base/LocaleSettings.h"
#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "core/summary/MunicipalSummary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The region's results as the tables the window, the workbook, the report and the command
// line show: made once, here, for all of them. Each table fills as far as the CellTable
// reaches; Readable groups digits for reading, Stored writes the general format for a
// workbook (as fillFiguresTable).
namespace tavi::region
{

// The municipalities: row 0 the headings ("Código", "Município", "Grupo", "<Setor> (m³/ano)"
// and "<Setor> (%)" for each consuming sector, "Dia de maior demanda", "Maior demanda diária
// (m³/dia)", "Total (m³/ano)"; with a horizon "<Cenário> <ano final> (m³/ano)" per scenario;
// with a balance "Vazão de referência (m³/s)", "Demanda/vazão", "Classe"), then one row per
// municipality in the results' order. A sector that failed shows "—".
QStringList municipalityHeaders(const RegionResults &results);
void fillMunicipalityTable(CellTable &table, const RegionResults &results,
                           FiguresStyle style = FiguresStyle::Readable);
// The totals: row 0 the headings ("Grupo", "Municípios", "Com total parcial", "<Setor> (m³/ano)",
// "<Setor> (%)", "Total (m³/ano)", then the scenarios' final years), one row per group and
// "Região" last.
QStringList totalHeaders(const RegionResults &results);
void fillTotalTable(CellTable &table, const RegionResults &results,
                    FiguresStyle style = FiguresStyle::Readable);
// The failures: "Município", "Mensagem", "Onde".
void fillFailureTable(CellTable &table, const RegionResults &results);
// The inputs by source: "Código", "Município", "Entrada", "Valor", "Origem", one row per
// input a table gave or marked not available.
void fillSourceTable(CellTable &table, const Region &region);

// The 20 largest municipalities by total, largest first (indexes into the results).
std::vector<int> largestMunicipalities(const RegionResults &results, int count = 20);

// The command line's .csv: "codigo;municipio;grupo;abastecimento;pecuaria;agricultura;total",
// one row per municipality, annual m3 in the general format with the locale's decimal
// separator, a sector that failed left empty.
QByteArray regionCsv(const RegionResults &results, const LocaleSettings &locale);
// The command line's figures: the region's totals and each group's, and the failures.
QString regionText(const RegionResults &results, const LocaleSettings &locale);

} // namespace tavi::region
