#include "core/CellNumber.h"

#include "core/NumberText.h"
#include "core/TaviError.h"

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
