#include "core/balance/BalanceWorkbook.h"

#include "core/balance/BalanceCharts.h"
#include "core/balance/BalanceTables.h"
#include "core/horizon/HorizonWorkbook.h"
#include "core/numbers/GeneralFormat.h"
#include "core/tables/CellTable.h"
#include "core/workbook/TableSheetRows.h"
#include "core/workbook/WorkbookRange.h"

#include <algorithm>

namespace tavi::balance
{

namespace
{

const QString kBalanceSheet = QStringLiteral("Balanço");
const QString kMonthSheet = QStringLiteral("Meses");
const QString kYearSheet = QStringLiteral("Anos da Série");
const QString kDurationSheet = QStringLiteral("Permanência");
const QString kMinimaSheet = QStringLiteral("Mínimas Anuais");
const QString kDurationChart = QStringLiteral("Curva de Permanência");
const QString kDemandChart = QStringLiteral("Demanda x Disponibilidade");
const QString kMinimaChart = QStringLiteral("Mínimas e Ajustes");

// The month table's columns the demand chart plots, and the one this sheet adds after it.
constexpr int kMonthDemandColumn = 1;
constexpr int kMonthQ95Column = 4;
constexpr int kMonthAvailableColumn = kMonthColumns;

BalanceWorksheet balanceSheet(const WaterBalance &balance)
{
    BalanceWorksheet sheet{kBalanceSheet, {}};
    sheet.rows << filledSheetRows(kReferenceFlowColumns, 10, [&](CellTable &table) {
        fillReferenceFlowTable(table, balance, FiguresStyle::Stored);
    });
    sheet.rows << QStringList();
    sheet.rows << filledSheetRows(kFitColumns, 4, [&](CellTable &table) {
        fillFitTable(table, balance, FiguresStyle::Stored);
    });
    sheet.rows << QStringList();
    sheet.rows << filledSheetRows(kRatioColumns, 5, [&](CellTable &table) {
        fillRatioTable(table, balance, FiguresStyle::Stored);
    });
    // What the figures leave out goes with them into the sheet, where no window shows it.
    QStringList notes;
    if (!balance.problem.isEmpty())
        notes << QStringLiteral("Balanço não calculado: %1").arg(balance.problem);
    if (!balance.partialNote.isEmpty())
        notes << QStringLiteral("Demanda: %1").arg(balance.partialNote);
    notes << balance.errors;
    if (!notes.isEmpty())
        sheet.rows << QStringList();
    for (const QString &note : notes)
        sheet.rows << QStringList{note};
    return sheet;
}

BalanceWorksheet monthSheet(const WaterBalance &balance)
{
    BalanceWorksheet sheet{
        kMonthSheet,
        filledSheetRows(kMonthColumns, int(balance.months.size()) + 1, [&](CellTable &table) {
            fillMonthTable(table, balance, FiguresStyle::Stored);
        })};
    // The flow that may be granted is the same every month; a column of it draws the line the
    // demand is set against.
    if (balance.computed()) {
        sheet.rows[0] << QStringLiteral("Vazão outorgável (m3/s)");
        for (int r = 1; r < sheet.rows.size(); ++r)
            sheet.rows[r] << formatGeneral(balance.available);
    }
    return sheet;
}

QStringList pointRow(const ChartPoint &point)
{
    return {formatGeneral(point.x), formatGeneral(point.y)};
}

BalanceWorksheet durationSheet(const WaterBalance &balance)
{
    BalanceWorksheet sheet{kDurationSheet,
                           {{QStringLiteral("Permanência (%)"), QStringLiteral("Vazão (m3/s)")}}};
    for (const ChartPoint &point : durationChartPoints(balance))
        sheet.rows << pointRow(point);
    return sheet;
}

// The minima at their empirical probabilities and each fit at the same ones, so that one
// column of probabilities names the points of every line.
BalanceWorksheet minimaSheet(const WaterBalance &balance)
{
    BalanceWorksheet sheet{
        kMinimaSheet,
        {{QStringLiteral("Probabilidade (%)"), QStringLiteral("Mínima de 7 dias (m3/s)"),
          QStringLiteral("Weibull (m3/s)"), QStringLiteral("Log-normal 3P (m3/s)")}}};
    if (!balance.flows)
        return sheet;
    std::vector<long double> minima;
    for (const flows::SeriesYear &year : balance.flows->years) {
        if (year.minimum7)
            minima.push_back(*year.minimum7);
    }
    const bool fitted = balance.flows->fits.weibull.has_value();
    for (const ChartPoint &point : empiricalMinimaPoints(balance)) {
        QStringList row = pointRow(point);
        for (const flows::MinimaFit fit :
             {flows::MinimaFit::Weibull, flows::MinimaFit::LogNormal3}) {
            const std::optional<long double> flow =
                fitted ? flows::fitQuantile(balance.flows->fits, fit, minima, point.x / 100)
                       : std::nullopt;
            row << (flow ? formatGeneral(*flow) : QString());
        }
        sheet.rows << row;
    }
    return sheet;
}

} // namespace

BalanceBook balanceBook(const WaterBalance &balance, const std::vector<ScenarioBalance> &scenarios)
{
    BalanceBook book;
    book.worksheets.push_back(balanceSheet(balance));
    book.worksheets.push_back(monthSheet(balance));
    book.worksheets.push_back(
        {kYearSheet, filledSheetRows(kSeriesYearColumns,
                                     balance.flows ? int(balance.flows->years.size()) + 1 : 1,
                                     [&](CellTable &table) {
                                         fillSeriesYearTable(table, balance, FiguresStyle::Stored);
                                     })});
    book.worksheets.push_back(durationSheet(balance));
    book.worksheets.push_back(minimaSheet(balance));
    QStringList names{kBalanceSheet, kMonthSheet,    kYearSheet,   kDurationSheet,
                      kMinimaSheet,  kDurationChart, kDemandChart, kMinimaChart};
    for (const ScenarioBalance &scenario : scenarios) {
        const QString name = horizon::HorizonSheets::scenarioSheetName(scenario.name, names);
        names << name;
        if (!scenario.problem.isEmpty()) {
            book.worksheets.push_back({name, {{scenario.problem}}});
            continue;
        }
        book.worksheets.push_back(
            {name, filledSheetRows(kHorizonBalanceColumns, int(scenario.years.size()) + 1,
                                   [&](CellTable &table) {
                                       fillHorizonBalanceTable(table, scenario,
                                                               FiguresStyle::Stored);
                                   })});
    }

    const int durationPoints = int(book.worksheets[3].rows.size()) - 1;
    if (durationPoints > 0)
        book.charts.push_back({kDurationChart,
                               WorkbookChart::kLine,
                               kDurationSheet,
                               {sheetColumnRange(1, durationPoints)},
                               sheetColumnRange(0, durationPoints)});

    const int months = int(balance.months.size());
    if (months > 0) {
        BalanceChartSheet demand{kDemandChart,
                                 WorkbookChart::kLine,
                                 kMonthSheet,
                                 {sheetColumnRange(kMonthDemandColumn, months)},
                                 sheetColumnRange(0, months)};
        if (balance.computed())
            demand.ranges << sheetColumnRange(kMonthAvailableColumn, months);
        if (std::any_of(balance.months.begin(), balance.months.end(),
                        [](const MonthBalance &month) { return month.monthQ95.has_value(); }))
            demand.ranges << sheetColumnRange(kMonthQ95Column, months);
        book.charts.push_back(demand);
    }

    const int minima = int(book.worksheets[4].rows.size()) - 1;
    if (minima > 0) {
        BalanceChartSheet fits{kMinimaChart,
                               WorkbookChart::kLine,
                               kMinimaSheet,
                               {sheetColumnRange(1, minima)},
                               sheetColumnRange(0, minima)};
        if (balance.flows && balance.flows->fits.weibull)
            fits.ranges << sheetColumnRange(2, minima) << sheetColumnRange(3, minima);
        book.charts.push_back(fits);
    }
    return book;
}

Workbook balanceWorkbook(const BalanceBook &book, const LocaleSettings &locale)
{
    return sheetBookWorkbook(book, locale);
}

} // namespace tavi::balance
