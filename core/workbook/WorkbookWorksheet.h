#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>
#include <QtGlobal>
#include <map>
#include <optional>

namespace tavi
{

// What a worksheet cell holds. A cell keeps its bold flag when its content is cleared.
struct WorkbookCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    QString text;
    bool bold = false;
};

// A grid of cells addressed (row, column) from 1, holding only the cells ever written, with
// the widths its columns were fitted to. Entries are taken as a spreadsheet takes typed
// entries: a text that reads entirely as a number under the regional settings (blanks at
// either end allowed, as a user may type them) is stored as that number, an empty text
// clears the cell, anything else is stored as text. A text beginning with "=" stays text:
// this workbook evaluates no formulas.
class Worksheet
{
public:
    // The width of a column never fitted, in characters of the standard font.
    static constexpr double kStandardColumnWidth = 8.43;
    // The longest text a cell may hold, as the .xlsx format allows it.
    static constexpr int kMaxTextLength = 32767;

    // Throws WorkbookError outside the sheet or for a text too long for a cell.
    void setEntry(int row, int column, const QString &text,
                  const LocaleSettings &locale = LocaleSettings::current());
    void setBold(int row, int column, bool bold);

    // The cell written at (row, column), or nullptr.
    const WorkbookCell *cell(int row, int column) const;
    // What the cell shows: a number in the general format of the regional settings, a text
    // as stored, nothing for an empty cell.
    static QString displayText(const WorkbookCell &cell,
                               const LocaleSettings &locale = LocaleSettings::current());

    // The lowest row and right-most column ever written, 0 for an untouched sheet.
    int lastRow() const { return m_lastRow; }
    int lastColumn() const { return m_lastColumn; }
    int cellCount() const { return static_cast<int>(m_cells.size()); }

    // Every written cell in row order, left to right: f(row, column, cell).
    template <class F> void forEachCell(F f) const
    {
        for (const auto &[key, cell] : m_cells)
            f(static_cast<int>(key >> 32), static_cast<int>(key & 0xffffffffu), cell);
    }

    // Fits every column that holds something to its widest text; columns holding nothing
    // go back to the standard width.
    void autoFitColumns(const LocaleSettings &locale = LocaleSettings::current());
    // The width a column was fitted to, in characters of the standard font, if any.
    std::optional<double> fittedWidth(int column) const;
    double columnWidth(int column) const;
    // Fitted widths by column.
    const std::map<int, double> &fittedWidths() const { return m_widths; }

private:
    static quint64 key(int row, int column)
    {
        return (static_cast<quint64>(row) << 32) | static_cast<quint32>(column);
    }
    WorkbookCell &slot(int row, int column);

    std::map<quint64, WorkbookCell> m_cells;
    std::map<int, double> m_widths;
    int m_lastRow = 0;
    int m_lastColumn = 0;
};

// The width, in characters of the standard font, that a text needs to show whole: capitals
// and wide letters count more than a digit, bold a little more, plus a margin.
double textWidthInCharacters(const QString &text, bool bold);

} // namespace tavi
