#include "core/sectors/supply/PublicSupplyModel.h"

#include "core/base/Ext.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

namespace tavi
{

long double nextYearPerCapita(const PublicSupplyInputs &in)
{
    const Ext t1 = Ext(in.price) * in.priceElasticity;
    const Ext t2 = Ext(in.income) * in.incomeElasticity;
    return (((t2 + t1) + 1) * in.currentPerCapita).value();
}

void checkPublicSupply(const PublicSupplyInputs &in, const LocaleSettings &locale)
{
    if (in.efficiency >= 0 && in.efficiency <= 100)
        return;
    TaviError error(QStringLiteral("A \"Eficiência média do sistema de abastecimento\" deve estar "
                                   "entre 0 e 100 % (0: não informada); %1 % está fora desse "
                                   "intervalo")
                        .arg(formatGeneral(in.efficiency, locale)));
    error.setField(QStringLiteral("me_5"));
    throw error;
}

void clearPublicSupply(CellTable &grid)
{
    grid.clear(1, 2, 1, 365);
}

} // namespace tavi
