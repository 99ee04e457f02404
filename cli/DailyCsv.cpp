#include "cli/DailyCsv.h"

#include "core/summary/SummaryWorkbook.h"
#include "core/tables/CellTable.h"

namespace tavi::cli
{

namespace
{

constexpr QChar kSeparator = QLatin1Char(';');

// Quoted only where a reader would otherwise split or join it.
QString field(const QString &text)
{
    if (!text.contains(kSeparator) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray dailyCsv(const MunicipalSummary &summary)
{
    CellTable table(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true);
    fillSummaryTable(table, summary);
    std::vector<int> columns{0};
    for (int s = 0; s < kSummarySectors; ++s)
        if (summary.selection.contains(static_cast<SectorId>(s)))
            columns.push_back(s + 1);
    columns.push_back(kSummaryColumns - 1);

    QString text;
    for (int row = 0; row <= kSummaryDays; ++row) {
        QStringList fields;
        for (int c : columns) {
            const QString cell = table.cell(c, row);
            fields << field(row == 0 ? SummarySheets::heading(cell, c) : cell);
        }
        text += fields.join(kSeparator) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

} // namespace tavi::cli
