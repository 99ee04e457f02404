#include "core/workbook/WorkbookWorksheet.h"

#include "core/numbers/NumberText.h"
#include "core/workbook/WorkbookError.h"
#include "core/workbook/WorkbookRange.h"

#include <cmath>

namespace tavi
{

namespace
{

void checkAddress(int row, int column)
{
    if (!isCellAddress(row, column))
        throw WorkbookError(
            QStringLiteral("A célula (%1, %2) está fora da planilha").arg(row).arg(column));
}

// The number a typed entry stands for, if it reads whole as one that a cell can hold.
std::optional<double> entryNumber(const QString &text, const LocaleSettings &locale)
{
    long double value = 0;
    if (!tryTextToNumber(text, &value, locale))
        return std::nullopt;
    const double number = static_cast<double>(value);
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

// The widest column the .xlsx format allows.
constexpr double kMaxColumnWidth = 255;

} // namespace

WorkbookCell &Worksheet::slot(int row, int column)
{
    m_lastRow = qMax(m_lastRow, row);
    m_lastColumn = qMax(m_lastColumn, column);
    return m_cells[key(row, column)];
}

void Worksheet::setEntry(int row, int column, const QString &text, const LocaleSettings &locale)
{
    checkAddress(row, column);
    if (text.size() > kMaxTextLength)
        throw WorkbookError(QStringLiteral("O texto tem mais de %1 caracteres, o máximo de uma "
                                           "célula")
                                .arg(kMaxTextLength));
    if (text.isEmpty()) {
        const auto found = m_cells.find(key(row, column));
        if (found == m_cells.end())
            return;
        if (!found->second.bold) {
            m_cells.erase(found);
            return;
        }
        found->second.kind = WorkbookCell::Kind::Empty;
        found->second.text.clear();
        found->second.number = 0;
        return;
    }
    WorkbookCell &cell = slot(row, column);
    if (const std::optional<double> number = entryNumber(text, locale)) {
        cell.kind = WorkbookCell::Kind::Number;
        cell.number = *number;
        cell.text.clear();
    } else {
        cell.kind = WorkbookCell::Kind::Text;
        cell.text = text;
        cell.number = 0;
    }
}

void Worksheet::setBold(int row, int column, bool bold)
{
    checkAddress(row, column);
    if (!bold && !cell(row, column))
        return;
    slot(row, column).bold = bold;
}

const WorkbookCell *Worksheet::cell(int row, int column) const
{
    const auto found = m_cells.find(key(row, column));
    return found == m_cells.end() ? nullptr : &found->second;
}

QString Worksheet::displayText(const WorkbookCell &cell, const LocaleSettings &locale)
{
    switch (cell.kind) {
    case WorkbookCell::Kind::Number:
        return formatGeneral(cell.number, locale);
    case WorkbookCell::Kind::Text:
        return cell.text;
    case WorkbookCell::Kind::Empty:
        break;
    }
    return QString();
}

void Worksheet::autoFitColumns(const LocaleSettings &locale)
{
    std::map<int, double> widths;
    forEachCell([&](int, int column, const WorkbookCell &cell) {
        if (cell.kind == WorkbookCell::Kind::Empty)
            return;
        const double width = textWidthInCharacters(displayText(cell, locale), cell.bold);
        double &widest = widths[column];
        widest = qMax(widest, qMin(width, kMaxColumnWidth));
    });
    m_widths = std::move(widths);
}

std::optional<double> Worksheet::fittedWidth(int column) const
{
    const auto found = m_widths.find(column);
    if (found == m_widths.end())
        return std::nullopt;
    return found->second;
}

double Worksheet::columnWidth(int column) const
{
    return fittedWidth(column).value_or(kStandardColumnWidth);
}

double textWidthInCharacters(const QString &text, bool bold)
{
    // Generous rather than exact: no character counts less than a digit, so a fitted
    // column never cuts a text in any usual font.
    static const QString wide = QStringLiteral("MWmw@%&");
    double width = 0;
    for (QChar c : text) {
        if (wide.contains(c))
            width += 1.6;
        else if (c.isUpper())
            width += 1.3;
        else
            width += 1.0;
    }
    if (bold)
        width *= 1.1;
    // The margin a spreadsheet leaves on either side of a fitted text.
    return width + 1.0;
}

} // namespace tavi
