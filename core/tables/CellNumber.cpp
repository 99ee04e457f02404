#include "core/tables/CellNumber.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

namespace tavi
{

long double cellNumber(const CellTable &table, int col, int row)
{
    const QString &text = table.cell(col, row);
    long double value = 0;
    if (!tryTextToNumber(text, &value)) {
        ConvertError error(text);
        error.setPlace({&table, col, row, QString()});
        throw error;
    }
    return value;
}

} // namespace tavi
