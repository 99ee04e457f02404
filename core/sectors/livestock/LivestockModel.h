#pragma once

#include "core/sectors/specs/LivestockSpecies.h"
#include "core/tables/CellTable.h"

#include <QString>

#include <array>

namespace tavi
{

// Days filled by the livestock model: 1 to 366, day 366 lying below the last row shown.
constexpr int kLivestockDays = 366;
// Grid column of the total over the species.
constexpr int kLivestockTotalColumn = kSpeciesCount + 1;

// One species as its two fields read.
struct SpeciesInput {
    long double heads = 0;         // number of heads
    long double litresPerHead = 0; // consumption of one head, litres per day
};
using LivestockInputs = std::array<SpeciesInput, kSpeciesCount>;

// Fills days 1 to 366 of the livestock grid: the day label in column 0, heads × litres per
// head ÷ 1000 (m3 per day) of each species in columns 1 to 5, and in column 6 their total,
// summed from the five texts just written (so it matches the numbers as shown, not the
// unrounded products). Raises FloatError on overflow; what was written before stays.
void fillLivestock(CellTable &grid, const LivestockInputs &in);
// Empties the demand columns, as before any run.
void clearLivestock(CellTable &grid);

} // namespace tavi
