#include "core/CellBlock.h"

namespace tavi
{

QString copyBlock(const CellTable &table, const CellRange &range)
{
    QString text;
    for (int r = range.row; r < range.row + range.rows; ++r) {
        for (int c = range.col; c < range.col + range.columns; ++c) {
            if (c > range.col)
                text += QLatin1Char('\t');
            text += table.cell(c, r);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QVector<QStringList> parseBlock(const QString &text)
{
    QString block = text;
    block.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    block.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (block.endsWith(QLatin1Char('\n')))
        block.chop(1);
    const QChar separator =
        block.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(';');
    QVector<QStringList> rows;
    for (const QString &line : block.split(QLatin1Char('\n')))
        rows << line.split(separator);
    return rows;
}

CellRange pasteBlock(CellTable &table, int col, int row, const QString &text, bool translateDecimal,
                     const LocaleSettings &locale)
{
    CellRange written{col, row, 0, 0};
    if (text.isEmpty() || col < 0 || row < 0 || col >= table.columns() || row >= table.storedRows())
        return written;
    const QVector<QStringList> rows = parseBlock(text);
    CellTable::Batch batch(table);
    for (int i = 0; i < rows.size() && row + i < table.storedRows(); ++i) {
        const QStringList &cells = rows[i];
        const int fit = qMin<int>(cells.size(), table.columns() - col);
        for (int j = 0; j < fit; ++j) {
            QString cell = cells[j];
            if (translateDecimal) {
                cell.replace(QLatin1Char('.'), locale.decimalSeparator);
                cell.replace(QLatin1Char(','), locale.decimalSeparator);
            }
            table.setCell(col + j, row + i, cell);
        }
        written.columns = qMax(written.columns, fit);
        written.rows = i + 1;
    }
    return written;
}

} // namespace tavi
