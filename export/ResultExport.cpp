#include "export/ResultExport.h"

#include "export/ExportProcedure.h"
#include "export/SpreadsheetCodes.h"

namespace
{
const QString kChartSheet = QStringLiteral("Graf. Vazão Indisponível");
const QString kDataSheet = QStringLiteral("Resultados");
} // namespace

void exportPublicSupply(QWidget *window, const tavi::CellTable &SG_Resultado,
                        SpreadsheetFactory &factory)
{
    runExport(window, factory, publicSupplyLayout(SG_Resultado));
}

void exportLivestock(QWidget *window, const tavi::CellTable &SG_Resultado,
                     SpreadsheetFactory &factory)
{
    runExport(window, factory, livestockLayout(SG_Resultado));
}

void exportAgriculture(QWidget *window, const AgricultureGrids &grids, SpreadsheetFactory &factory)
{
    runExport(window, factory, agricultureLayout(grids));
}

void exportDilution(QWidget *window, const tavi::CellTable &SG_Resultado,
                    SpreadsheetFactory &factory)
{
    runExport(window, factory, dilutionLayout(SG_Resultado, addDilutionChartSheet));
}

void addDilutionChartSheet(SpreadsheetApp &app)
{
    app.sheetsAdd(1, 1, SpreadsheetCodes::kChartSheet);
    app.setSheetName(1, 1, kChartSheet);
    app.setSheetName(1, 2, kDataSheet);
    plotAccumulatedFlow(app);
}

void plotAccumulatedFlow(SpreadsheetApp &app)
{
    const tavi::CellRange accumulated = app.sheetRange(kDataSheet, QStringLiteral("E3:E52"));
    app.setSeriesValues(kChartSheet, 1, accumulated);
    app.setChartType(kChartSheet, SpreadsheetCodes::kStackedLineChart);
    app.quit();
}
