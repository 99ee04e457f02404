#include "core/sectors/supply/PublicSupplyModel.h"

#include "core/base/Ext.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

namespace tavi
{

namespace
{

// The volume withdrawn to deliver `net`: with an efficiency given, net / (me_5 / 100).
Ext gross(const Ext &net, long double efficiency)
{
    if (efficiency == 0)
        return net;
    return net / (Ext(efficiency) / 100);
}

} // namespace

long double nextYearPerCapita(const PublicSupplyInputs &in)
{
    const Ext t1 = Ext(in.price) * in.priceElasticity;
    const Ext t2 = Ext(in.income) * in.incomeElasticity;
    return (((t2 + t1) + 1) * in.currentPerCapita).value();
}

void checkPublicSupply(const PublicSupplyInputs &in)
{
    if (in.efficiency >= 0 && in.efficiency <= 100)
        return;
    TaviError error(QStringLiteral("A \"Eficiência média do sistema de abastecimento\" deve estar "
                                   "entre 0 e 100 % (0: não informada); %1 % está fora desse "
                                   "intervalo")
                        .arg(formatGeneral(in.efficiency)));
    error.setField(QStringLiteral("me_5"));
    throw error;
}

void fillPublicSupply(CellTable &grid, const PublicSupplyInputs &in, long double nextYearRead)
{
    checkPublicSupply(in);
    CellTable::Batch batch(grid);
    // A run that stops leaves no earlier run's results below it.
    grid.clear(0, 2, 1, 365);
    for (int day = 1; day <= 365; ++day) {
        grid.setCell(0, day, dayLabel(day));
        const Ext unserved = Ext(in.totalPopulation) - in.servedPopulation;
        const Ext current =
            Ext(in.unservedPerCapita) * unserved + Ext(in.currentPerCapita) * in.servedPopulation;
        grid.setCell(1, day, formatGeneral(gross(current, in.efficiency).value()));
        const Ext future =
            Ext(in.unservedPerCapita) * unserved + Ext(nextYearRead) * in.servedPopulation;
        grid.setCell(2, day, formatGeneral(gross(future, in.efficiency).value()));
    }
}

void clearPublicSupply(CellTable &grid)
{
    grid.clear(1, 2, 1, 365);
}

} // namespace tavi
