#pragma once

#include "export/ExportLayout.h"

#include <array>

// The workbook layout of each module window's results.

// SG_Resultado of the public supply window (3 columns): headers "DIA", "ATUAL", "FUTURA" in
// A2:C2, days 1 to 365 in A3:C367, columns fitted.
ExportLayout publicSupplyLayout(const tavi::CellTable &grid);

// SG_Resultado of the livestock window (7 columns): headers in A2:G2, days 1 to 366 (day
// 366 stored below the rows shown) in A3:G368, columns fitted.
ExportLayout livestockLayout(const tavi::CellTable &grid);

// SG_Resultado of the dilution window (5 columns): headers in A1:E1, points 1 to 50 in
// A3:E52, columns fitted; `finish` builds the chart and asks the application to quit.
ExportLayout dilutionLayout(const tavi::CellTable &grid,
                            std::function<void(SpreadsheetApp &)> finish);

// The grids of the agriculture window.
struct AgricultureGrids {
    const tavi::CellTable *serie;                   // SG_Serie, 4 columns, header row
    std::array<const tavi::CellTable *, 9> classes; // SG_Classe_A .. SG_Classe_I, 5 columns
    const tavi::CellTable *total;                   // SG_Total, 1 column, day d in row d - 1
};
// The input series and nine classes side by side in blocks from sheet column A, each with
// its header above the block's second column in row 1, days 1 to 366 in rows 3 to 368; the
// daily total copied first into BR3:BR368 and again with the days into BS; "   (m3/dia)" in
// BR2. Columns are not fitted.
ExportLayout agricultureLayout(const AgricultureGrids &grids);
