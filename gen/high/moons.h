#pragma once

#include <vector>

#include "core/dice.h"
#include "gen/high/object_tables.h"

namespace nexmar {

// One d10 plus the zone's and the size's modifiers: 0 to 6 moons.
int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size);

// The fewest and the most moons RollMoonCount gives in zone to size.
struct MoonCountRange {
    int fewest = 0;
    int most = 0;
};
MoonCountRange MoonCountsFor(OrbitZone zone, HighObjectSize size);

// One moon of an object: one d10 for its Capacity and RAW. A moon has no
// census values and no special, whatever the census option.
HighMoon GenerateMoon(Dice& dice, HighObjectType type);

// The odds of the moon count and the moon, as HighTable lists them.
std::vector<TableOdds> MoonTableOdds();

}  // namespace nexmar
