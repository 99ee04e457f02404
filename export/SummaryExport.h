#pragma once

#include "core/summary/SummaryWorkbook.h"
#include "export/ProgramSpreadsheetFactory.h"

class QWidget;

namespace tavi
{
class CellTable;
}

// "Salvar" of the municipal summary: the summary's workbook (core/summary/SummaryWorkbook.h)
// built through the spreadsheet application, at the places the command line uses too.
//
// `days`: the summary's day table (row 0 headers, rows 1 to 366). `figures`: a table of
// texts copied whole to the right of the days, row by row.
void exportSummary(QWidget *window, const tavi::CellTable &days, const tavi::CellTable &figures,
                   SpreadsheetFactory &factory = spreadsheetFactory());

// Where the export puts things, for the summary window and its tests.
namespace SummarySheets = tavi::SummarySheets;
