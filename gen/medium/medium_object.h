#pragma once

#include <vector>

#include "core/dice.h"
#include "gen/odds.h"
#include "gen/records.h"

namespace nexmar {

// One object of a Medium-detail system: its type and moons, value class,
// special, Capacity and RAW, and with the census option Census, Morale and
// Productivity. The zone picks the type table.
MediumObject GenerateMediumObject(Dice& dice, OrbitZone zone, bool census);

// The odds of the object's tables, from Type to Moon of MediumTable.
std::vector<TableOdds> MediumObjectTableOdds();

}  // namespace nexmar
