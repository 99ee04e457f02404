#include "core/sectors/livestock/LivestockRun.h"

#include "core/base/Ext.h"
#include "core/numbers/ShownNumber.h"
#include "core/study/HeldFields.h"
#include "core/tables/DayLabels.h"

#include <array>

namespace tavi::livestock
{

LivestockInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale)
{
    LivestockInputs in;
    for (int s = 0; s < kSpeciesCount; ++s) {
        in[s].heads = heldFieldValue(inputs, SectorId::Livestock, herdFieldName(s), locale);
        in[s].litresPerHead =
            heldFieldValue(inputs, SectorId::Livestock, consumptionFieldName(s), locale);
    }
    return in;
}

CellTable *newGrid(QObject *parent)
{
    auto *grid =
        new CellTable(kLivestockTotalColumn + 1, kLivestockDays + 1, kLivestockDays, true, parent);
    grid->setCell(0, 0, QStringLiteral("DIA"));
    for (int s = 0; s < kSpeciesCount; ++s)
        grid->setCell(s + 1, 0, speciesHeader(s));
    grid->setCell(kLivestockTotalColumn, 0, QStringLiteral("m3/dia"));
    return grid;
}

Result::Result() : grid(newGrid()) {}
Result::~Result() = default;
Result::Result(Result &&) noexcept = default;
Result &Result::operator=(Result &&) noexcept = default;

void run(const LivestockInputs &in, const LocaleSettings &locale, Result &result)
{
    CellTable &grid = *result.grid;
    CellTable::Batch batch(grid);
    // Nothing depends on the day: the first day's texts stand for every day.
    grid.setCell(0, 1, sharedDayLabel(1));
    std::array<ShownNumber, kSpeciesCount> demands;
    for (int s = 0; s < kSpeciesCount; ++s) {
        // Litres to cubic metres.
        demands[s] = shownNumber((Ext(in[s].heads) * in[s].litresPerHead / 1000).value(), locale);
        grid.setCell(s + 1, 1, demands[s].text);
    }
    Ext total = demands[0].value;
    for (int s = 1; s < kSpeciesCount; ++s)
        total = total + demands[s].value;
    const ShownNumber dayTotal = shownNumber(total.value(), locale);
    for (int day = 1; day <= kLivestockDays; ++day) {
        grid.setCell(0, day, sharedDayLabel(day));
        for (int s = 0; s < kSpeciesCount; ++s)
            grid.setCell(s + 1, day, demands[s].text);
        grid.setCell(kLivestockTotalColumn, day, dayTotal.text);
        result.total.texts << dayTotal.text;
        result.total.values.push_back(dayTotal.value);
    }
}

Result run(const LivestockInputs &in, const LocaleSettings &locale)
{
    Result result;
    run(in, locale, result);
    return result;
}

} // namespace tavi::livestock
