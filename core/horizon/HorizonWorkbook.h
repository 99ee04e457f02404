#pragma once

#include "core/base/LocaleSettings.h"
#include "core/horizon/HorizonRun.h"
#include "core/workbook/SheetBook.h"
#include "core/workbook/Workbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The horizon's workbook. In front, two chart sheets: the chosen scenario's three sectors as
// stacked areas over the years, and every scenario's total as a line. Then "Totais", the
// years against each scenario's total in hm3/ano (what the charts plot, each column headed
// with the scenario's name, which names its line); "Diferenças", each scenario against the
// base; and a sheet per scenario with its year table. The horizon window's "Salvar" writes the
// same sheets through the spreadsheet application, and the command line builds this workbook
// without one.
namespace tavi::horizon
{

// A chart's categories are the years that name its points along x. A chart with nothing to
// plot (the chosen scenario not computed, or none) is left out.
using HorizonWorksheet = BookWorksheet;
using HorizonChartSheet = BookChart;
using HorizonBook = SheetBook;

namespace HorizonSheets
{
inline const QString kTotals = QStringLiteral("Totais");
inline const QString kDifferences = QStringLiteral("Diferenças");
inline const QString kTotalsChart = QStringLiteral("Total por Cenário");
constexpr int kHeadingRow = 1;
constexpr int kFirstYearRow = 2;

// "Cenário <nome>": a sheet name whatever the scenario is called, its characters a sheet
// takes (a "/" turns into "-"), cut to 31 characters, and numbered " (2)", " (3)", ... apart
// from the names `taken`, compared without regard to case.
QString scenarioSheetName(const QString &scenario, const QStringList &taken);
// "Setores (<nome>)", the chart of the chosen scenario's sectors, the same way.
QString sectorsChartName(const QString &scenario);
} // namespace HorizonSheets

// `chosenScenario` indexes `runs`; one out of range stands for the base. Numbers are written
// in the general format of the current regional settings, as the year tables write them.
HorizonBook horizonBook(const std::vector<ScenarioRun> &runs, int chosenScenario);

// The workbook of a book whose numbers are written under `locale`.
Workbook horizonWorkbook(const HorizonBook &book,
                         const LocaleSettings &locale = LocaleSettings::current());
Workbook horizonWorkbook(const std::vector<ScenarioRun> &runs, int chosenScenario);

} // namespace tavi::horizon
