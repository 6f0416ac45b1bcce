#pragma once

#include <climits>

#include "gen/records.h"
#include "gen/table_lookup.h"

// The rows of a High object's moon count, next to the rule that reads them:
// the roll, its odds and the reader's bounds all read them here.
namespace nexmar::high {

// Indexed by OrbitZone: moons are fewer near the star.
inline constexpr int kMoonZoneModifier[] = {
    /* Inner */ -2,
    /* Habitable */ 0,
    /* Outer */ +2,
};

// Indexed by HighObjectSize.
inline constexpr int kMoonSizeModifier[] = {
    /* Tiny */ -3,
    /* Small */ -2,
    /* Medium */ 0,
    /* Large */ +2,
    /* Huge */ +3,
    /* Huge */ +3,
    /* Huge */ +3,
};

struct MoonCountRow {
    int lowest;
    int highest;
    int moons;
};

inline constexpr MoonCountRow kMoonCountByTotal[] = {
    {INT_MIN, 4, 0},
    {5, 7, 1},
    {8, 9, 2},
    {10, 11, 3},
    {12, 12, 4},
    {13, 13, 5},
    {14, INT_MAX, 6},
};

// The moon die: one d10.
inline constexpr int kMoonCountDie = 10;

// The moons for face on the moon die, plus the zone's and the size's modifiers.
constexpr int MoonCountFor(int face, OrbitZone zone, HighObjectSize size)
{
    const int total = face + kMoonZoneModifier[static_cast<int>(zone)] + kMoonSizeModifier[static_cast<int>(size)];
    return RowFor(kMoonCountByTotal, total).moons;
}

}  // namespace nexmar::high
