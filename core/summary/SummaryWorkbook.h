#pragma once

#include "core/base/LocaleSettings.h"
#include "core/summary/MunicipalSummary.h"
#include "core/workbook/Workbook.h"

#include <QString>
#include <QStringList>

// The summary's workbook: a "Resumo" sheet with the day table (days in rows, the three sectors
// and their total in columns, each headed with its unit) and, beside it, the annual figures;
// in front of it a chart sheet, "Demanda Diária", with the three sectors' daily demand as
// stacked areas. The summary window's "Salvar" lays its spreadsheet out by the same places,
// and the command line builds the same workbook without a window.
namespace tavi
{

class CellTable;

namespace SummarySheets
{
inline const QString kData = QStringLiteral("Resumo");
inline const QString kChart = QStringLiteral("Demanda Diária");
constexpr int kHeadingRow = 1;
constexpr int kFirstDayRow = 2;   // day 1 right under the headings
constexpr int kFiguresColumn = 7; // column G, the figures from its first row

// The day table's column `column` as the sheet heads it: its heading and unit, which also
// name the column's band in the chart ("Pecuária (m3/dia)").
QString heading(const QString &tableHeading, int column);
// The ranges of the data sheet plotted, one stacked band each: the three consuming sectors.
QStringList chartRanges();
} // namespace SummarySheets

// The workbook from the summary's day table (row 0 its headings, rows 1 to 366) and its
// figures (copied whole, row by row), as the summary window holds them.
Workbook summaryWorkbook(const CellTable &days, const CellTable &figures,
                         const LocaleSettings &locale = LocaleSettings::current());
// The same from the summary itself, the figures stored as numbers.
Workbook summaryWorkbook(const MunicipalSummary &summary,
                         const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
