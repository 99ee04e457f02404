#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"

namespace tavi
{

// The inputs of the public supply window, as its fields read.
struct PublicSupplyInputs {
    long double servedPopulation = 0;  // me_1, P_s
    long double currentPerCapita = 0;  // me_2, q_0 (m3/day per inhabitant)
    long double totalPopulation = 0;   // me_3, P_t
    long double unservedPerCapita = 0; // me_4, q_n
    long double efficiency = 0;        // me_5, %: 0 when not given
    long double priceElasticity = 0;   // e_p_1, E_p
    long double price = 0;             // e_p_2, p
    long double incomeElasticity = 0;  // e_p_3, E_r
    long double income = 0;            // e_p_4, r
};

// Next year's per-capita demand is held, shown and used with four decimals: two (10 litres
// a day) made a one-centavo change of price move next year's demand by several percent.
constexpr int kNextYearPerCapitaDecimals = 4;

// Next year's per-capita demand q_1 = q_0 × (1 + E_p × p + E_r × r), in the order
// t1 = p × E_p, t2 = r × E_r, q_1 = ((t2 + t1) + 1) × q_0.
long double nextYearPerCapita(const PublicSupplyInputs &in);

// The efficiency must be from 0 (not given) to 100 %; otherwise a TaviError naming the field
// "me_5", its value written in `locale`, before anything is computed.
void checkPublicSupply(const PublicSupplyInputs &in,
                       const LocaleSettings &locale = LocaleSettings::current());

// Empties the demand columns of the window's grid, as before any run.
void clearPublicSupply(CellTable &grid);

} // namespace tavi
