#include "export/SummaryExport.h"

#include "core/tables/CellTable.h"
#include "export/ExportLayout.h"
#include "export/ExportProcedure.h"
#include "export/SpreadsheetApp.h"
#include "export/SpreadsheetCodes.h"

namespace
{

// The chart of the three sectors, one stacked band each, from Resumo!B2:D367.
void plotSectors(SpreadsheetApp &app)
{
    app.sheetsAdd(1, 1, SpreadsheetCodes::kChartSheet);
    app.setSheetName(1, 1, SummarySheets::kChart);
    app.setSheetName(1, 2, SummarySheets::kData);
    const QStringList ranges = SummarySheets::chartRanges();
    for (int s = 0; s < ranges.size(); ++s) {
        const int series = s == 0 ? 1 : app.newSeries(SummarySheets::kChart);
        app.setSeriesValues(SummarySheets::kChart, series,
                            app.sheetRange(SummarySheets::kData, ranges[s]));
    }
    app.setChartType(SummarySheets::kChart, SpreadsheetCodes::kStackedAreaChart);
    app.quit();
}

} // namespace

void exportSummary(QWidget *window, const tavi::CellTable &days, const tavi::CellTable &figures,
                   SpreadsheetFactory &factory)
{
    ExportLayout layout;
    for (int c = 0; c < days.columns(); ++c)
        layout.headers.push_back(
            {SummarySheets::kHeadingRow, c + 1, SummarySheets::heading(days.cell(c, 0), c)});
    layout.blocks = {{&days, days.columns(), 0}};
    layout.lastStep = days.storedRows() - 1;
    layout.firstDataRow = SummarySheets::kFirstDayRow;
    for (int c = 0; c < figures.columns(); ++c)
        layout.beforeHeaders.push_back(
            {&figures, c, figures.storedRows(), SummarySheets::kFiguresColumn + c, 1});
    layout.fileName = QStringLiteral("Resumo do Município.xlsx");
    layout.finish = plotSectors;
    runExport(window, factory, layout);
}
