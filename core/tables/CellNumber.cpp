#include "core/tables/CellNumber.h"

#include "core/base/TaviError.h"
#include "core/numbers/ShownNumber.h"

namespace tavi
{

long double cellNumber(const CellTable &table, int col, int row, const LocaleSettings &locale)
{
    const QString &text = table.cell(col, row);
    long double value = 0;
    if (!readShownNumber(text, &value, locale)) {
        ConvertError error(text);
        error.setPlace({&table, col, row, QString()});
        throw error;
    }
    return value;
}

} // namespace tavi
