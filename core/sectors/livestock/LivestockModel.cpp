#include "core/sectors/livestock/LivestockModel.h"

#include "core/base/Ext.h"
#include "core/numbers/NumberText.h"
#include "core/tables/CellNumber.h"

namespace tavi
{

void fillLivestock(CellTable &grid, const LivestockInputs &in)
{
    CellTable::Batch batch(grid);
    // A run that stops leaves no earlier run's results below it.
    grid.clear(0, kLivestockTotalColumn, 1, kLivestockDays);
    for (int day = 1; day <= kLivestockDays; ++day) {
        grid.setCell(0, day, dayLabel(day));
        for (int s = 0; s < kSpeciesCount; ++s) {
            // Litres to cubic metres.
            const Ext demand = Ext(in[s].heads) * in[s].litresPerHead / 1000;
            grid.setCell(s + 1, day, formatGeneral(demand.value()));
        }
        // The total is summed from the cell texts, so it matches what is shown, species by
        // species, first to last.
        Ext total = cellNumber(grid, 1, day);
        for (int col = 2; col <= kSpeciesCount; ++col)
            total = total + cellNumber(grid, col, day);
        grid.setCell(kLivestockTotalColumn, day, formatGeneral(total.value()));
    }
}

void clearLivestock(CellTable &grid)
{
    grid.clear(1, kLivestockTotalColumn, 1, kLivestockDays);
}

} // namespace tavi
