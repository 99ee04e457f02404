#include "core/PublicSupplyModel.h"

#include "core/Ext.h"
#include "core/NumberText.h"

namespace tavi
{

long double nextYearPerCapita(const PublicSupplyInputs &in)
{
    const Ext t1 = Ext(in.price) * in.priceElasticity;
    const Ext t2 = Ext(in.income) * in.incomeElasticity;
    return (((t2 + t1) + 1) * in.currentPerCapita).value();
}

void fillPublicSupply(CellTable &grid, const PublicSupplyInputs &in, long double nextYearRead)
{
    CellTable::Batch batch(grid);
    // A run that stops leaves no earlier run's results below it.
    grid.clear(0, 2, 1, 365);
    for (int day = 1; day <= 365; ++day) {
        grid.setCell(0, day, dayLabel(day));
        const Ext unserved = Ext(in.totalPopulation) - in.servedPopulation;
        const Ext current =
            Ext(in.unservedPerCapita) * unserved + Ext(in.currentPerCapita) * in.servedPopulation;
        grid.setCell(1, day, formatGeneral(current.value()));
        const Ext future =
            Ext(in.unservedPerCapita) * unserved + Ext(nextYearRead) * in.servedPopulation;
        grid.setCell(2, day, formatGeneral(future.value()));
    }
}

} // namespace tavi
