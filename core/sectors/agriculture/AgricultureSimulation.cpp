#include "core/sectors/agriculture/AgricultureSimulation.h"

#include "core/base/Ext.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/tables/CellNumber.h"

namespace tavi::agriculture
{

long double effectiveRainfall(long double p, const RainfallConstants &c)
{
    if (p < c.threshold)
        return (Ext(p) * (Ext(c.divisor) - Ext(c.lowerSlope) * p) / c.divisor).value();
    return (Ext(p) * c.upperSlope + c.intercept).value();
}

long double roundRainfall(long double p)
{
    return roundHalfAway(p, 2);
}

namespace
{

// A series cell's number; one that does not read names its day and column under the
// message, since the series is too long to find it by eye.
long double seriesNumber(const CellTable &serie, int col, int day)
{
    try {
        return cellNumber(serie, col, day);
    } catch (TaviError &error) {
        error.setWhere(seriesCellPlace(col, day));
        throw;
    }
}

} // namespace

void clearSimulation(const Tables &t)
{
    t.serie->clear(kEffectiveRainColumn, kEffectiveRainColumn, 1, kDays);
    for (int k = 0; k < kClasses; ++k)
        t.classes[k]->clear(kDiColumn, kDbColumn, 1, kDays);
    t.total->clear(0, 0, totalRow(1), totalRow(kDays));
}

void simulate(const Tables &t, const RainfallConstants &constants, const RainfallRounding &rounding)
{
    CellTable &serie = *t.serie;
    const CellTable &param = *t.param;
    CellTable::Batch serieBatch(serie);
    CellTable::Batch totalBatch(*t.total);
    std::unique_ptr<CellTable::Batch> classBatches[kClasses];
    for (int k = 0; k < kClasses; ++k)
        classBatches[k] = std::make_unique<CellTable::Batch>(*t.classes[k]);
    // A run that stops leaves no earlier run's results after it: what is shown is one run's.
    clearSimulation(t);

    for (int day = 1; day <= kDays; ++day) {
        const long double rain = rounding(seriesNumber(serie, kRainColumn, day));
        serie.setCell(kEffectiveRainColumn, day, formatGeneral(effectiveRainfall(rain, constants)));

        for (int k = 0; k < kClasses; ++k) {
            CellTable &grid = *t.classes[k];
            const long double etp = seriesNumber(serie, kEtpColumn, day);
            const long double kc = cellNumber(grid, kKcColumn, day);
            const long double pef = cellNumber(serie, kEffectiveRainColumn, day);
            const long double di = (Ext(etp) * kc - pef).value();
            // Written as "0" when the rain covers the need (a negative zero included).
            grid.setCell(kDiColumn, day, formatGeneral(di > 0 ? di : 0.0L));
        }
        for (int k = 0; k < kClasses; ++k) {
            CellTable &grid = *t.classes[k];
            const long double di = cellNumber(grid, kDiColumn, day);
            const long double area = cellNumber(param, k, kAreaRow);
            const Ext de = Ext(di) / 1000 * area * 1000000;
            grid.setCell(kDeColumn, day, formatGeneral(de.value()));
        }
        for (int k = 0; k < kClasses; ++k) {
            CellTable &grid = *t.classes[k];
            const long double de = cellNumber(grid, kDeColumn, day);
            const long double efficiency = cellNumber(param, k, kEfficiencyRow);
            grid.setCell(kDbColumn, day, formatGeneral((Ext(de) / efficiency).value()));
        }
        Ext total = cellNumber(*t.classes[0], kDbColumn, day);
        for (int k = 1; k < kClasses; ++k)
            total = total + cellNumber(*t.classes[k], kDbColumn, day);
        t.total->setCell(0, totalRow(day), formatGeneral(total.value()));
    }
}

} // namespace tavi::agriculture
