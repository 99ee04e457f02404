#include "core/region/RegionWorkbook.h"

#include "core/numbers/GeneralFormat.h"
#include "core/region/RegionTables.h"
#include "core/tables/CellTable.h"
#include "core/workbook/TableSheetRows.h"
#include "core/workbook/WorkbookChart.h"
#include "core/workbook/WorkbookRange.h"

#include <algorithm>

namespace tavi::region
{

namespace
{

const QString kMunicipalitySheet = QStringLiteral("Municípios");
const QString kTotalSheet = QStringLiteral("Totais");
const QString kFailureSheet = QStringLiteral("Falhas");
const QString kSourceSheet = QStringLiteral("Entradas por Fonte");
const QString kLargestSheet = QStringLiteral("Maiores Municípios");
const QString kScenarioSheet = QStringLiteral("Região por Cenário");
const QString kLargestChart = QStringLiteral("20 Maiores");
const QString kGroupChart = QStringLiteral("Totais por Grupo");
const QString kScenarioChart = QStringLiteral("Total por Cenário");

// In the totals table: the group's name, then its counts, then each sector's volume and share.
constexpr int kFirstTotalSectorColumn = 3;

int failureCount(const RegionResults &results)
{
    int count = 0;
    for (const MunicipalityResult &m : results.municipalities)
        count += int(m.errors.size());
    return count;
}

int sourceCount(const Region &region)
{
    int count = 0;
    for (const Municipality &m : region.municipalities)
        count += int(m.sources.size() + m.notAvailable.size()) +
                 (m.referenceFlowSource.isEmpty() ? 0 : 1);
    return count;
}

// The chart's data: the largest municipalities, largest first, by sector. A sector that failed
// adds nothing to its bar.
BookWorksheet largestSheet(const RegionResults &results)
{
    BookWorksheet sheet{kLargestSheet, {{QStringLiteral("Município")}}};
    for (int s = 0; s < kSummarySectors; ++s)
        sheet.rows[0] << QStringLiteral("%1 (m³/ano)").arg(summarySectorName(s));
    for (int index : largestMunicipalities(results)) {
        const MunicipalityResult &m = results.municipalities[std::size_t(index)];
        QStringList row{m.name};
        for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s)
            row << formatGeneral(m.computed[s] ? m.annual[s] : 0);
        sheet.rows << row;
    }
    return sheet;
}

BookWorksheet scenarioSheet(const RegionResults &results)
{
    BookWorksheet sheet{
        kScenarioSheet,
        {{QStringLiteral("Cenário"), QStringLiteral("Ano final"),
          QStringLiteral("Total da região (m³/ano)"), QStringLiteral("Observação")}}};
    for (const ScenarioFinal &final : results.region.horizon) {
        if (!final.problem.isEmpty()) {
            sheet.rows << QStringList{final.scenario, QString(), QString(), final.problem};
            continue;
        }
        sheet.rows << QStringList{final.scenario, QString::number(final.year),
                                  formatGeneral(final.total),
                                  final.partial ? QStringLiteral("total parcial") : QString()};
    }
    return sheet;
}

} // namespace

SheetBook regionBook(const Region &region, const RegionResults &results)
{
    SheetBook book;
    const int municipalities = int(results.municipalities.size());
    const QStringList municipalityColumns = municipalityHeaders(results);
    book.worksheets.push_back(
        {kMunicipalitySheet, filledSheetRows(int(municipalityColumns.size()), municipalities + 1,
                                             [&](CellTable &table) {
                                                 fillMunicipalityTable(table, results,
                                                                       FiguresStyle::Stored);
                                             })});
    const int groups = int(results.groups.size());
    book.worksheets.push_back(
        {kTotalSheet,
         filledSheetRows(int(totalHeaders(results).size()), groups + 2, [&](CellTable &table) {
             fillTotalTable(table, results, FiguresStyle::Stored);
         })});
    book.worksheets.push_back(
        {kFailureSheet, filledSheetRows(3, failureCount(results) + 1, [&](CellTable &table) {
             fillFailureTable(table, results);
         })});
    book.worksheets.push_back(
        {kSourceSheet, filledSheetRows(5, sourceCount(region) + 1,
                                       [&](CellTable &table) { fillSourceTable(table, region); })});
    book.worksheets.push_back(largestSheet(results));
    const bool withScenarios = !results.region.horizon.empty();
    if (withScenarios)
        book.worksheets.push_back(scenarioSheet(results));

    const int largest = int(book.worksheets[4].rows.size()) - 1;
    if (largest > 0) {
        BookChart chart{kLargestChart,
                        WorkbookChart::kColumnStacked,
                        kLargestSheet,
                        {},
                        sheetColumnRange(0, largest)};
        for (int s = 0; s < kSummarySectors; ++s)
            chart.ranges << sheetColumnRange(1 + s, largest);
        book.charts.push_back(chart);
    }
    if (groups > 0) {
        BookChart chart{kGroupChart,
                        WorkbookChart::kColumnStacked,
                        kTotalSheet,
                        {},
                        sheetColumnRange(0, groups)};
        for (int s = 0; s < kSummarySectors; ++s)
            chart.ranges << sheetColumnRange(kFirstTotalSectorColumn + 2 * s, groups);
        book.charts.push_back(chart);
    }
    if (withScenarios)
        book.charts.push_back({kScenarioChart,
                               WorkbookChart::kColumnStacked,
                               kScenarioSheet,
                               {sheetColumnRange(2, int(results.region.horizon.size()))},
                               sheetColumnRange(0, int(results.region.horizon.size()))});
    return book;
}

Workbook regionWorkbook(const Region &region, const RegionResults &results,
                        const LocaleSettings &locale)
{
    return sheetBookWorkbook(regionBook(region, results), locale);
}

} // namespace tavi::region
