#include "cli/BalanceOutput.h"

#include "core/balance/BalanceWorkbook.h"

#include <QHash>

namespace tavi::cli
{

namespace
{

// A name the workbook already has (a horizon's "Cenário Base" beside the balance's own) becomes
// "Balanço Cenário Base", cut to fit a sheet, then "… (2)", "… (3)" if that is taken too.
QString freeSheetName(const Workbook &book, const QString &name)
{
    const QString prefixed =
        (QStringLiteral("Balanço ") + name).left(Workbook::kMaxSheetNameLength).trimmed();
    if (book.sheetIndex(prefixed) == 0)
        return prefixed;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate =
            prefixed.left(Workbook::kMaxSheetNameLength - suffix.size()) + suffix;
        if (book.sheetIndex(candidate) == 0)
            return candidate;
    }
}

} // namespace

std::optional<BalanceOutput> summaryBalance(const Study &study, const MunicipalSummary &summary)
{
    if (!study.balance)
        return std::nullopt;
    return BalanceOutput{balance::computeBalance(study, summary), {}};
}

std::optional<BalanceOutput> horizonBalance(const Study &study,
                                            const std::vector<horizon::ScenarioRun> &runs)
{
    if (!study.balance)
        return std::nullopt;
    BalanceOutput output{balance::balanceOfStudy(study, LocaleSettings::current()), {}};
    output.scenarios = balance::horizonBalance(runs, output.balance);
    return output;
}

void appendBalanceSheets(Workbook &book, const BalanceOutput &output)
{
    Workbook sheets =
        balance::balanceWorkbook(balance::balanceBook(output.balance, output.scenarios));
    // Named apart first, all of them, so that a chart finds its sheet whatever the order.
    QHash<QString, QString> renamed;
    for (int s = 1; s <= sheets.sheetCount(); ++s) {
        const QString &name = sheets.sheet(s).name;
        if (book.sheetIndex(name) != 0)
            renamed.insert(name, freeSheetName(book, name));
    }
    for (int s = 1; s <= sheets.sheetCount(); ++s) {
        Workbook::Sheet &from = sheets.sheet(s);
        // The sheet every new workbook starts with, when the balance had nothing to put in it.
        if (!from.isChart() && from.worksheet->cellCount() == 0)
            continue;
        const int index = book.sheetCount() + 1;
        book.addSheets(index, 1, from.isChart() ? Workbook::kChartType : Workbook::kWorksheetType);
        Workbook::Sheet &to = book.sheet(index);
        to.worksheet = std::move(from.worksheet);
        to.chart = std::move(from.chart);
        book.renameSheet(index, renamed.value(from.name, from.name));
        if (!to.chart)
            continue;
        for (int series = 1; series <= to.chart->seriesCount(); ++series) {
            const ChartSeries ranges = to.chart->series(series);
            if (ranges.values && renamed.contains(ranges.values->sheet)) {
                CellRange values = *ranges.values;
                values.sheet = renamed.value(values.sheet);
                to.chart->setSeriesValues(series, values);
            }
            if (ranges.categories && renamed.contains(ranges.categories->sheet)) {
                CellRange categories = *ranges.categories;
                categories.sheet = renamed.value(categories.sheet);
                to.chart->setSeriesCategories(series, categories);
            }
        }
    }
}

QString balanceProblem(const BalanceOutput &output)
{
    if (output.balance.computed())
        return QString();
    const QString &problem = output.balance.problem;
    return QStringLiteral("Balanço hídrico: ") + problem +
           (problem.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
}

} // namespace tavi::cli
