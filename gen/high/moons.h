#pragma once

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "core/dice.h"
#include "gen/high/moon_count_rows.h"
#include "gen/high/object_tables.h"

namespace nexmar {

// One d10 plus the zone's and the size's modifiers: 0 to 6 moons.
int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size);
using high::MoonCountFor;

// The fewest and the most moons RollMoonCount gives in zone to size: the
// rows rise with the total, so the die's lowest and highest faces give them.
struct MoonCountRange {
    int fewest = 0;
    int most = 0;
};
constexpr MoonCountRange MoonCountsFor(OrbitZone zone, HighObjectSize size)
{
    return {MoonCountFor(1, zone, size), MoonCountFor(high::kMoonCountDie, zone, size)};
}

// The most moons any object gives, in any zone, of any size.
constexpr int MostMoonsOfAnyObject()
{
    int most = 0;
    for (const OrbitZone zone : kOrbitZones) {
        for (int size = 0; size < kHighObjectSizes; ++size) {
            most = std::max(most, MoonCountsFor(zone, static_cast<HighObjectSize>(size)).most);
        }
    }
    return most;
}
inline constexpr int kHighMostMoons = MostMoonsOfAnyObject();
// Every row of the moon count table is reached by some zone and size.
static_assert(kHighMostMoons == high::kMoonCountByTotal[std::size(high::kMoonCountByTotal) - 1].moons);

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
