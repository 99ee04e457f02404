#pragma once

#include <QString>

// The codes that the spreadsheet interface passes on as the spreadsheet application defines
// them; the export writes them, and the program's own spreadsheet reads them.
namespace SpreadsheetCodes
{

// Sheets.Add, Type: chart sheets (the application's xlChart) and worksheets (xlWorksheet).
constexpr int kChartSheet = -4109;
constexpr int kWorksheet = -4167;
// ChartType: one line a series, each on its own values (xlLine).
constexpr int kLineChart = 4;
// ChartType: a line chart whose series stand one on another (xlLineStacked).
constexpr int kStackedLineChart = 63;
// ChartType: areas stacked one on another (xlAreaStacked).
constexpr int kStackedAreaChart = 76;
// Font.FontStyle: the bold face, by the name a Portuguese installation gives it.
inline const QString kBoldStyle = QStringLiteral("Negrito");

} // namespace SpreadsheetCodes
