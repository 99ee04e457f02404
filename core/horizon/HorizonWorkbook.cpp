#include "core/horizon/HorizonWorkbook.h"

#include "core/horizon/HorizonTables.h"
#include "core/horizon/HorizonYearColumns.h"
#include "core/tables/CellTable.h"
#include "core/workbook/TableSheetRows.h"
#include "core/workbook/WorkbookRange.h"

#include <map>

namespace tavi::horizon
{

static_assert(YearColumns::kCount == kHorizonYearColumns);

namespace
{

// A scenario is named as the planner typed it; a sheet name refuses a few characters, and the
// nearest ones keep the name readable.
QString sheetSafe(const QString &name)
{
    QString safe;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            safe += QLatin1Char('-');
        else if (c == QLatin1Char('['))
            safe += QLatin1Char('(');
        else if (c == QLatin1Char(']'))
            safe += QLatin1Char(')');
        else if (c != QLatin1Char('?') && c != QLatin1Char('*'))
            safe += c;
    }
    return safe.simplified();
}

// At most `room` characters of `text`, never half of a character outside the BMP, and no
// apostrophe or blank at its end (a sheet name cannot end with an apostrophe).
QString cut(const QString &text, int room)
{
    QString part = text.left(qMax(0, room));
    if (!part.isEmpty() && part.back().isHighSurrogate())
        part.chop(1);
    while (!part.isEmpty() && (part.back() == QLatin1Char('\'') || part.back().isSpace()))
        part.chop(1);
    return part;
}

QString fittedName(const QString &prefix, const QString &name, const QString &suffix,
                   const QStringList &taken)
{
    const QString safe = sheetSafe(name);
    for (int n = 1;; ++n) {
        const QString mark = n == 1 ? QString() : QStringLiteral(" (%1)").arg(n);
        const int room = Workbook::kMaxSheetNameLength - int(prefix.size()) - int(suffix.size()) -
                         int(mark.size());
        const QString candidate = (prefix + cut(safe, room) + mark).trimmed() + suffix;
        if (!taken.contains(candidate, Qt::CaseInsensitive))
            return candidate;
    }
}

QList<QStringList> yearTable(const ScenarioRun &run)
{
    CellTable table(kHorizonYearColumns, int(run.years.size()) + 1, int(run.years.size()) + 1,
                    true);
    fillHorizonYearTable(table, run, FiguresStyle::Stored);
    return sheetRows(table, EmptyRows::Kept);
}

QList<QStringList> differenceTable(const std::vector<ScenarioRun> &runs)
{
    const std::vector<ScenarioDifference> differences = differencesFromBase(runs);
    CellTable table(kDifferenceColumns, int(differences.size()) + 1, int(differences.size()) + 1,
                    true);
    fillDifferenceTable(table, differences, FiguresStyle::Stored);
    return sheetRows(table, EmptyRows::Kept);
}

// A column of a sheet from its first year row down `years` rows: "C2:C22".
QString columnRange(int column, int years)
{
    return sheetColumnRange(column, years, HorizonSheets::kFirstYearRow);
}

// The years down, each computed scenario's total across, in hm3/ano as its year table writes
// it; a scenario that lacks a year leaves its cell empty.
HorizonWorksheet totalsSheet(const std::vector<ScenarioRun> &runs,
                             const std::vector<QList<QStringList>> &tables)
{
    std::map<int, QStringList> byYear;
    QStringList headings{QStringLiteral("Ano")};
    const int column = YearColumns::column(YearColumns::kTotal, YearColumns::AnnualHm3);
    for (std::size_t s = 0; s < runs.size(); ++s) {
        const QList<QStringList> &table = tables[s];
        if (!runs[s].computed() || table.isEmpty() || table.first().size() <= column)
            continue;
        headings << QStringLiteral("%1: %2").arg(runs[s].name, table.first()[column]);
        for (std::size_t y = 0; y < runs[s].years.size() && int(y) + 1 < table.size(); ++y) {
            QStringList &row = byYear[runs[s].years[y].year];
            while (row.size() < headings.size() - 2)
                row << QString();
            row << table[int(y) + 1].value(column);
        }
    }
    HorizonWorksheet sheet{HorizonSheets::kTotals, {headings}};
    for (auto &[year, figures] : byYear)
        sheet.rows << (QStringList{QString::number(year)} + figures);
    return sheet;
}

} // namespace

QString HorizonSheets::scenarioSheetName(const QString &scenario, const QStringList &taken)
{
    return fittedName(QStringLiteral("Cenário "), scenario, QString(), taken);
}

QString HorizonSheets::sectorsChartName(const QString &scenario)
{
    return fittedName(QStringLiteral("Setores ("), scenario, QStringLiteral(")"), {});
}

HorizonBook horizonBook(const std::vector<ScenarioRun> &runs, int chosenScenario)
{
    HorizonBook book;
    std::vector<QList<QStringList>> tables;
    QStringList names{HorizonSheets::kTotals, HorizonSheets::kDifferences,
                      HorizonSheets::kTotalsChart};
    std::vector<HorizonWorksheet> scenarioSheets;
    for (const ScenarioRun &run : runs) {
        tables.push_back(run.computed() ? yearTable(run) : QList<QStringList>());
        const QString name = HorizonSheets::scenarioSheetName(run.name, names);
        names << name;
        scenarioSheets.push_back(
            {name, run.computed() ? tables.back() : QList<QStringList>{{run.problem}}});
    }

    if (chosenScenario < 0 || std::size_t(chosenScenario) >= runs.size())
        chosenScenario = 0;
    if (!runs.empty() && runs[std::size_t(chosenScenario)].computed() &&
        !runs[std::size_t(chosenScenario)].years.empty()) {
        const ScenarioRun &chosen = runs[std::size_t(chosenScenario)];
        const QList<QStringList> &table = tables[std::size_t(chosenScenario)];
        HorizonChartSheet sectors{HorizonSheets::sectorsChartName(chosen.name),
                                  WorkbookChart::kAreaStacked,
                                  scenarioSheets[std::size_t(chosenScenario)].name,
                                  {},
                                  columnRange(YearColumns::kYear, int(chosen.years.size()))};
        for (int s = 0; s < kSummarySectors; ++s) {
            const int column = YearColumns::column(s, YearColumns::AnnualHm3);
            if (chosen.sectorComputed(s) && !table.isEmpty() && column < table.first().size())
                sectors.ranges << columnRange(column, int(chosen.years.size()));
        }
        if (!sectors.ranges.isEmpty())
            book.charts.push_back(sectors);
    }

    HorizonWorksheet totals = totalsSheet(runs, tables);
    HorizonChartSheet lines{HorizonSheets::kTotalsChart,
                            WorkbookChart::kLine,
                            HorizonSheets::kTotals,
                            {},
                            columnRange(0, int(totals.rows.size()) - 1)};
    for (int c = 1; c < totals.rows.first().size() && totals.rows.size() > 1; ++c)
        lines.ranges << columnRange(c, int(totals.rows.size()) - 1);
    if (!lines.ranges.isEmpty())
        book.charts.push_back(lines);

    book.worksheets.push_back(std::move(totals));
    book.worksheets.push_back({HorizonSheets::kDifferences, differenceTable(runs)});
    for (HorizonWorksheet &sheet : scenarioSheets)
        book.worksheets.push_back(std::move(sheet));
    return book;
}

Workbook horizonWorkbook(const HorizonBook &book, const LocaleSettings &locale)
{
    return sheetBookWorkbook(book, locale);
}

Workbook horizonWorkbook(const std::vector<ScenarioRun> &runs, int chosenScenario)
{
    return horizonWorkbook(horizonBook(runs, chosenScenario), LocaleSettings::current());
}

} // namespace tavi::horizon
