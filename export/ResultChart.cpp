#include "export/ResultChart.h"

#include "core/numbers/NumberText.h"
#include "core/tables/CellTable.h"

#include <algorithm>
#include <cmath>

namespace tavi
{

bool ResultChart::hasNumbers() const
{
    return std::any_of(lines.begin(), lines.end(), [](const ChartLine &line) {
        return std::any_of(line.values.begin(), line.values.end(),
                           [](const std::optional<double> &v) { return v.has_value(); });
    });
}

ChartLine columnLine(const CellTable &table, int col, int firstRow, int lastRow,
                     const QString &name, const LocaleSettings &locale)
{
    ChartLine line{name, {}};
    line.values.reserve(std::max(0, lastRow - firstRow + 1));
    for (int row = firstRow; row <= lastRow; ++row) {
        long double value = 0;
        // A number beyond the range of a double (1E400 reads as an extended one) has no
        // place on an axis either.
        if (tryTextToNumber(table.cell(col, row), &value, locale) &&
            std::isfinite(static_cast<double>(value)))
            line.values.push_back(static_cast<double>(value));
        else
            line.values.push_back(std::nullopt);
    }
    return line;
}

} // namespace tavi
