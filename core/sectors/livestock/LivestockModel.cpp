#include "core/sectors/livestock/LivestockModel.h"

namespace tavi
{

void clearLivestock(CellTable &grid)
{
    grid.clear(1, kLivestockTotalColumn, 1, kLivestockDays);
}

} // namespace tavi
