#include "core/tables/CellBlock.h"

namespace tavi
{

QString copyBlock(const CellTable &table, const CellSpan &range)
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

namespace
{

// Where the line starting at `from` ends, and where the next one starts.
void findLineEnd(QStringView block, qsizetype from, qsizetype *stop, qsizetype *next)
{
    qsizetype at = from;
    while (at < block.size() && block[at] != QLatin1Char('\n') && block[at] != QLatin1Char('\r'))
        ++at;
    *stop = at;
    if (at < block.size() && block[at] == QLatin1Char('\r')) {
        qsizetype after = at;
        while (after < block.size() && block[after] == QLatin1Char('\r'))
            ++after;
        // Some programs write "\r\r\n": a run of "\r" before "\n" ends one line.
        *next = after < block.size() && block[after] == QLatin1Char('\n') ? after + 1 : at + 1;
    } else {
        *next = at + 1;
    }
}

QStringList splitCells(QStringView line, QChar separator, int maxColumns, bool *tooLong)
{
    QStringList cells;
    qsizetype from = 0;
    while (cells.size() < maxColumns) {
        const qsizetype at = line.indexOf(separator, from);
        const QStringView cell = line.mid(from, at < 0 ? line.size() - from : at - from);
        if (cell.size() > kLongestCellText && tooLong)
            *tooLong = true;
        cells << cell.toString();
        if (at < 0)
            break;
        from = at + 1;
    }
    return cells;
}

} // namespace

QVector<QStringList> parseBlock(const QString &text, int maxRows, int maxColumns, bool *tooLong)
{
    QStringView block(text);
    if (block.endsWith(QLatin1Char('\n'))) {
        block.chop(1);
        while (block.endsWith(QLatin1Char('\r')))
            block.chop(1);
    } else if (block.endsWith(QLatin1Char('\r'))) {
        block.chop(1);
    }
    const QChar separator =
        block.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(';');
    QVector<QStringList> rows;
    qsizetype from = 0;
    while (rows.size() < maxRows && maxColumns > 0) {
        qsizetype stop = 0;
        qsizetype next = 0;
        findLineEnd(block, from, &stop, &next);
        rows << splitCells(block.mid(from, stop - from), separator, maxColumns, tooLong);
        if (stop >= block.size())
            break;
        from = next;
    }
    return rows;
}

CellSpan pasteBlock(CellTable &table, int col, int row, const QString &text, bool translateDecimal,
                    const LocaleSettings &locale)
{
    CellSpan written{col, row, 0, 0};
    if (text.isEmpty() || col < 0 || row < 0 || col >= table.columns() ||
        row >= table.storedRows() || table.isColumnReadOnly(col))
        return written;
    bool tooLong = false;
    const QVector<QStringList> rows =
        parseBlock(text, table.storedRows() - row, table.columns() - col, &tooLong);
    if (tooLong)
        return written;
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
            if (!table.isColumnReadOnly(col + j))
                table.setCell(col + j, row + i, cell);
        }
        written.columns = qMax(written.columns, fit);
        written.rows = i + 1;
    }
    return written;
}

} // namespace tavi
