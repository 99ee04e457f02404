#pragma once

#include "core/base/LocaleSettings.h"
#include "core/horizon/HorizonRun.h"
#include "core/projection/PopulationProjection.h"
#include "core/summary/MunicipalSummary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The horizon's results as the tables the window, the workbook, the report and the command
// line show: one table made once, in core, for all of them.
namespace tavi::horizon
{

// Each table is filled as far as the CellTable given reaches, what lies beyond left out.
//
// The year table of a scenario: row 0 the headings, then one row a year. Columns: "Ano"; for
// public supply, livestock, agriculture and the total, four each: "<Setor> (m3/ano)", "<Setor>
// (hm3/ano)", "<Setor> média (m3/dia)", "<Setor> pico (m3/dia)"; then "População total",
// "População atendida", "Diluição: vazão indisponível máx. (m3/s)". A sector that failed shows
// "—" in its cells and the total's headings say it is partial. Readable for the window and the
// report, Stored for a workbook (as fillFiguresTable).
constexpr int kHorizonYearColumns = 20;
QStringList horizonYearHeaders(const ScenarioRun &run);
void fillHorizonYearTable(CellTable &table, const ScenarioRun &run,
                          FiguresStyle style = FiguresStyle::Readable);

// The difference table: row 0 the headings ("Cenário", "Total no ano final (m3/ano)",
// "Diferença no ano final (m3/ano)", "Diferença no ano final (%)", "Ano de maior diferença",
// "Maior diferença (m3/ano)", "Maior diferença (%)"), one row per scenario after the base,
// its note after its name in brackets; "—" for the figures of a scenario not computed.
constexpr int kDifferenceColumns = 7;
void fillDifferenceTable(CellTable &table, const std::vector<ScenarioDifference> &rows,
                         FiguresStyle style = FiguresStyle::Readable);

// The projection table: row 0 the headings ("Método", "População em <ano>", "Ajuste"), one
// row per method: its name, the population in `year` (or "—"), and "R² = 0,9876",
// "Saturação: 123.456" or "não se aplica: <motivo>".
constexpr int kProjectionColumns = 3;
void fillProjectionTable(CellTable &table, const std::vector<projection::ProjectionFit> &fits,
                         int year);

// The command line's figures: for each scenario, its final-year line per sector and total;
// and the .csv, "cenario;ano;abastecimento;pecuaria;agricultura;total", one row per scenario
// and year, annual m3 in the general format with the locale's decimal separator, a sector
// that failed left empty.
QString finalYearText(const std::vector<ScenarioRun> &runs, const LocaleSettings &locale);
QByteArray horizonCsv(const std::vector<ScenarioRun> &runs, const LocaleSettings &locale);

} // namespace tavi::horizon
