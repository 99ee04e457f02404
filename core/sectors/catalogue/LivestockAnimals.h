#pragma once

#include <QString>

namespace tavi
{

// The five species of the livestock window, in the order of its input rows and of grid
// columns 1 to 5: cattle, pigs, horses, goats, poultry.
constexpr int kSpeciesCount = 5;
// The names of a species' two fields in the livestock window, "me_bovino" (litres per head)
// and "e_qte_bovino" (heads), species numbered as the grid columns from 0.
QString consumptionFieldName(int species);
QString herdFieldName(int species);

// A species as the captions name it: "Bovino", "Suíno", "Equino", "Caprino", "Galináceo";
// as its input rows name it ("Suino", without the accent); and as the grid's header
// ("SUÍNO"). Empty for a species out of range.
QString speciesCaption(int species);
QString speciesFieldCaption(int species);
QString speciesHeader(int species);

} // namespace tavi
