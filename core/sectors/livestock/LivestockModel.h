#pragma once

#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/tables/CellTable.h"

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

// Empties the demand columns of the window's grid, as before any run.
void clearLivestock(CellTable &grid);

} // namespace tavi
