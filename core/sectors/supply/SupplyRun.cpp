#include "core/sectors/supply/SupplyRun.h"

#include "core/base/Ext.h"
#include "core/numbers/ShownNumber.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/HeldFields.h"
#include "core/tables/DayLabels.h"

namespace tavi::supply
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

DaySeries everyDay(const ShownNumber &demand)
{
    DaySeries series;
    for (int day = 1; day <= kGridDays + 1; ++day) {
        series.texts << demand.text;
        series.values.push_back(demand.value);
    }
    return series;
}

} // namespace

PublicSupplyInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale)
{
    const auto held = [&](const QString &key) {
        return heldFieldValue(inputs, SectorId::Supply, key, locale);
    };
    PublicSupplyInputs in;
    in.servedPopulation = held(keys::kServedPopulation);
    in.currentPerCapita = held(keys::kCurrentPerCapita);
    in.totalPopulation = held(keys::kTotalPopulation);
    in.unservedPerCapita = held(keys::kUnservedPerCapita);
    in.efficiency = held(keys::kSupplyEfficiency);
    in.priceElasticity = held(keys::kPriceElasticity);
    in.price = held(keys::kWaterPrice);
    in.incomeElasticity = held(keys::kIncomeElasticity);
    in.income = held(keys::kIncome);
    return in;
}

CellTable *newGrid(QObject *parent)
{
    auto *grid = new CellTable(kGridColumns, kGridDays + 1, kGridDays + 1, true, parent);
    grid->setCell(0, 0, QStringLiteral("DIA"));
    grid->setCell(1, 0, QStringLiteral("ATUAL"));
    grid->setCell(2, 0, QStringLiteral("FUTURA"));
    return grid;
}

Result::Result() : grid(newGrid()) {}
Result::~Result() = default;
Result::Result(Result &&) noexcept = default;
Result &Result::operator=(Result &&) noexcept = default;

void run(const PublicSupplyInputs &in, const LocaleSettings &locale, Result &result)
{
    checkPublicSupply(in, locale);
    // Next year's demand uses the per-capita value as its field holds it: four decimals.
    const long double nextYearRead = heldValue(nextYearPerCapita(in), kNextYearPerCapitaDecimals);
    result.nextYearPerCapita = nextYearRead;

    CellTable &grid = *result.grid;
    CellTable::Batch batch(grid);
    // Nothing in the formula depends on the day: the first day's texts stand for every day.
    grid.setCell(0, 1, sharedDayLabel(1));
    const Ext unserved = Ext(in.totalPopulation) - in.servedPopulation;
    const Ext currentNet =
        Ext(in.unservedPerCapita) * unserved + Ext(in.currentPerCapita) * in.servedPopulation;
    const ShownNumber current = shownNumber(gross(currentNet, in.efficiency).value(), locale);
    grid.setCell(1, 1, current.text);
    const Ext nextYearNet =
        Ext(in.unservedPerCapita) * unserved + Ext(nextYearRead) * in.servedPopulation;
    const ShownNumber nextYear = shownNumber(gross(nextYearNet, in.efficiency).value(), locale);
    grid.setCell(2, 1, nextYear.text);
    for (int day = 2; day <= kGridDays; ++day) {
        grid.setCell(0, day, sharedDayLabel(day));
        grid.setCell(1, day, current.text);
        grid.setCell(2, day, nextYear.text);
    }
    result.current = everyDay(current);
    result.nextYear = everyDay(nextYear);
}

Result run(const PublicSupplyInputs &in, const LocaleSettings &locale)
{
    Result result;
    run(in, locale, result);
    return result;
}

} // namespace tavi::supply
