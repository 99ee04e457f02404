#include "core/workbook/WorkbookRange.h"

#include "core/workbook/WorkbookError.h"

#include <QRegularExpression>

namespace tavi
{

bool CellRange::operator==(const CellRange &other) const
{
    return sheet == other.sheet && firstRow == other.firstRow && firstColumn == other.firstColumn &&
           lastRow == other.lastRow && lastColumn == other.lastColumn;
}

bool isCellAddress(int row, int column)
{
    return row >= 1 && row <= kWorkbookMaxRows && column >= 1 && column <= kWorkbookMaxColumns;
}

QString columnLetters(int column)
{
    if (column < 1 || column > kWorkbookMaxColumns)
        return QString();
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

namespace
{

// One corner of a reference: column letters and row digits, each optionally "$"-fixed.
bool parseCorner(const QString &text, int *row, int *column)
{
    static const QRegularExpression corner(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const QRegularExpressionMatch match = corner.match(text);
    if (!match.hasMatch())
        return false;
    int col = 0;
    for (QChar c : match.captured(1))
        col = col * 26 + (c.toUpper().unicode() - u'A' + 1);
    const int r = match.captured(2).toInt();
    if (!isCellAddress(r, col))
        return false;
    *row = r;
    *column = col;
    return true;
}

} // namespace

CellRange parseRangeReference(const QString &sheet, const QString &reference)
{
    const QStringList corners = reference.trimmed().split(QLatin1Char(':'));
    CellRange range;
    range.sheet = sheet;
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    bool ok = corners.size() <= 2 && parseCorner(corners.first(), &r1, &c1);
    if (ok && corners.size() == 2)
        ok = parseCorner(corners.last(), &r2, &c2);
    else
        r2 = r1, c2 = c1;
    if (!ok)
        throw WorkbookError(QStringLiteral("A referência '%1' não é válida").arg(reference));
    range.firstRow = qMin(r1, r2);
    range.lastRow = qMax(r1, r2);
    range.firstColumn = qMin(c1, c2);
    range.lastColumn = qMax(c1, c2);
    return range;
}

QString formulaSheetName(const QString &name)
{
    static const QRegularExpression plainWord(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    // Names a formula would read as a cell address, in either notation.
    static const QRegularExpression address(
        QStringLiteral("^([A-Za-z]{1,3}[0-9]+|[Rr][0-9]*([Cc][0-9]*)?|[Cc][0-9]*)$"));
    if (plainWord.match(name).hasMatch() && !address.match(name).hasMatch())
        return name;
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString absoluteReference(const CellRange &range)
{
    QString reference = formulaSheetName(range.sheet) + QLatin1Char('!');
    reference += QStringLiteral("$%1$%2").arg(columnLetters(range.firstColumn)).arg(range.firstRow);
    if (range.rowCount() > 1 || range.columnCount() > 1)
        reference +=
            QStringLiteral(":$%1$%2").arg(columnLetters(range.lastColumn)).arg(range.lastRow);
    return reference;
}

} // namespace tavi
