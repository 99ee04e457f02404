#pragma once

#include "export/ProgramSpreadsheetFactory.h"

class QWidget;

namespace tavi
{
class CellTable;
}

// "Salvar" of the municipal summary: a "Resumo" sheet with the day table (days in rows,
// the three sectors and their total in columns, each headed with its unit) and, beside it,
// the annual figures; in front of it a chart sheet, "Demanda Diária", with the three sectors'
// daily demand as stacked areas.
//
// `days`: the summary's day table (row 0 headers, rows 1 to 366). `figures`: a table of
// texts copied whole to the right of the days, row by row.
void exportSummary(QWidget *window, const tavi::CellTable &days, const tavi::CellTable &figures,
                   SpreadsheetFactory &factory = spreadsheetFactory());

// Where the export puts things, for the summary window and its tests.
namespace SummarySheets
{
inline const QString kData = QStringLiteral("Resumo");
inline const QString kChart = QStringLiteral("Demanda Diária");
constexpr int kFiguresColumn = 7; // column G
} // namespace SummarySheets
