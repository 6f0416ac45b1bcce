#pragma once

#include <span>
#include <vector>

#include "core/dice.h"
#include "gen/high/object_tables.h"

namespace nexmar {

// One d10 plus the zone's and the size's modifiers: 0 to 6 moons.
int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size);
int MoonCountFor(int face, OrbitZone zone, HighObjectSize size);

// The fewest and the most moons RollMoonCount gives in zone to size.
struct MoonCountRange {
    int fewest = 0;
    int most = 0;
};
MoonCountRange MoonCountsFor(OrbitZone zone, HighObjectSize size);

// One moon of an object: one d10 for its Capacity and RAW. A moon has no
// census values and no special, whatever the census option.
HighMoon GenerateMoon(Dice& dice, HighObjectType type);
// The row of the moon table for face on the moon's d10.
int MoonRowFor(int face, HighObjectType type);

// A row of the moon table: by one d10, plus 1 for a Gas Giant's moon.
struct MoonTableRow {
    int lowest;
    int highest;
    int capacity;
    int raw;
};
// The moon table's rows, defined apart (moon_rows.cpp) so that a test can
// link other rows in their place and see the rolls and the odds follow them.
std::span<const MoonTableRow> HighMoonTable();

// The odds of the moon count and the moon, as HighTable lists them.
std::vector<TableOdds> MoonTableOdds();

}  // namespace nexmar
