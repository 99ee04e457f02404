#include "core/sectors/agriculture/AgricultureSimulation.h"

#include "core/base/Ext.h"
#include "core/base/TaviError.h"
#include "core/numbers/ShownNumber.h"
#include "core/tables/CellNumber.h"

#include <array>
#include <memory>
#include <optional>

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
    return heldValue(p, 2);
}

namespace
{

// A series cell's number; one that does not read names its day and column under the
// message, since the series is too long to find it by eye.
long double seriesNumber(const CellTable &serie, int col, int day, const LocaleSettings &locale)
{
    try {
        return cellNumber(serie, col, day, locale);
    } catch (TaviError &error) {
        error.setWhere(seriesCellPlace(col, day));
        throw;
    }
}

// A class's Kc day after day: the same text for weeks on end, read once for each run of it.
class KcColumn
{
public:
    long double read(const CellTable &grid, int day, const LocaleSettings &locale)
    {
        const QString &text = grid.cell(kKcColumn, day);
        if (!m_text || text != *m_text) {
            m_value = cellNumber(grid, kKcColumn, day, locale);
            m_text = text;
        }
        return m_value;
    }

private:
    std::optional<QString> m_text;
    long double m_value = 0;
};

// A parameter of each class, read where the run first needs it, so that an unreadable one
// stops the run at the same place whichever day it is.
class ClassParameter
{
public:
    ClassParameter(const CellTable &param, int row) : m_param(param), m_row(row) {}
    long double of(int k, const LocaleSettings &locale)
    {
        if (!m_values[k])
            m_values[k] = cellNumber(m_param, k, m_row, locale);
        return *m_values[k];
    }

private:
    const CellTable &m_param;
    int m_row;
    std::array<std::optional<long double>, kClasses> m_values;
};

// Writes a step's number into its cell; where only the daily total is wanted, works out the
// value its cell would read as and writes nothing.
class StepCells
{
public:
    StepCells(Detail detail, const LocaleSettings &locale)
        : m_written(detail == Detail::WindowTables), m_locale(locale)
    {
    }
    long double put(CellTable &table, int col, int row, long double value)
    {
        if (!m_written)
            return shownValue(value);
        const ShownNumber shown = shownNumber(value, m_locale);
        table.setCell(col, row, shown.text);
        return shown.value;
    }

private:
    bool m_written;
    const LocaleSettings &m_locale;
};

} // namespace

void clearSimulation(const Tables &t)
{
    t.serie->clear(kEffectiveRainColumn, kEffectiveRainColumn, 1, kDays);
    for (int k = 0; k < kClasses; ++k)
        t.classes[k]->clear(kDiColumn, kDbColumn, 1, kDays);
    t.total->clear(0, 0, totalRow(1), totalRow(kDays));
}

DaySeries simulate(const Tables &t, const LocaleSettings &locale, Detail detail)
{
    CellTable &serie = *t.serie;
    CellTable::Batch serieBatch(serie);
    CellTable::Batch totalBatch(*t.total);
    std::unique_ptr<CellTable::Batch> classBatches[kClasses];
    for (int k = 0; k < kClasses; ++k)
        classBatches[k] = std::make_unique<CellTable::Batch>(*t.classes[k]);
    // A run that stops leaves no earlier run's results after it: what is shown is one run's.
    clearSimulation(t);

    const RainfallConstants constants;
    std::array<KcColumn, kClasses> kc;
    ClassParameter area(*t.param, kAreaRow);
    ClassParameter efficiency(*t.param, kEfficiencyRow);
    StepCells cells(detail, locale);
    DaySeries totals;
    std::array<long double, kClasses> shown{};
    for (int day = 1; day <= kDays; ++day) {
        const long double rain = roundRainfall(seriesNumber(serie, kRainColumn, day, locale));
        const long double pef =
            cells.put(serie, kEffectiveRainColumn, day, effectiveRainfall(rain, constants));

        const long double etp = seriesNumber(serie, kEtpColumn, day, locale);
        for (int k = 0; k < kClasses; ++k) {
            const long double need =
                (Ext(etp) * kc[k].read(*t.classes[k], day, locale) - pef).value();
            // Written as "0" when the rain covers the need (a negative zero included).
            shown[k] = cells.put(*t.classes[k], kDiColumn, day, need > 0 ? need : 0.0L);
        }
        for (int k = 0; k < kClasses; ++k) {
            const Ext de = Ext(shown[k]) / 1000 * area.of(k, locale) * 1000000;
            shown[k] = cells.put(*t.classes[k], kDeColumn, day, de.value());
        }
        for (int k = 0; k < kClasses; ++k) {
            const Ext db = Ext(shown[k]) / efficiency.of(k, locale);
            shown[k] = cells.put(*t.classes[k], kDbColumn, day, db.value());
        }
        Ext total = shown[0];
        for (int k = 1; k < kClasses; ++k)
            total = total + shown[k];
        const ShownNumber dayTotal = shownNumber(total.value(), locale);
        t.total->setCell(0, totalRow(day), dayTotal.text);
        totals.texts << dayTotal.text;
        totals.values.push_back(dayTotal.value);
    }
    return totals;
}

} // namespace tavi::agriculture
