#include "core/workbook/TableSheetRows.h"

#include "core/workbook/WorkbookRange.h"

namespace tavi
{

QList<QStringList> sheetRows(const CellTable &table, EmptyRows empty)
{
    QList<QStringList> rows;
    for (int r = 0; r < table.storedRows(); ++r) {
        QStringList row;
        for (int c = 0; c < table.columns(); ++c)
            row << table.cell(c, r);
        if (empty == EmptyRows::Dropped &&
            std::all_of(row.begin(), row.end(), [](const QString &cell) { return cell.isEmpty(); }))
            continue;
        rows << row;
    }
    return rows;
}

QString sheetColumnRange(int column, int count, int firstRow)
{
    const QString letters = columnLetters(column + 1);
    return QStringLiteral("%1%2:%1%3").arg(letters).arg(firstRow).arg(firstRow + count - 1);
}

} // namespace tavi
