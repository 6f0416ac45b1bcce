#include "gen/high/moons.h"

#include <climits>

#include "gen/table_lookup.h"

namespace nexmar {

namespace {

// Indexed by OrbitZone: moons are fewer near the star.
constexpr int kMoonZoneModifier[] = {
    /* Inner */ -2,
    /* Habitable */ 0,
    /* Outer */ +2,
};

// Indexed by HighObjectSize.
constexpr int kMoonSizeModifier[] = {
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

constexpr MoonCountRow kMoonCountByTotal[] = {
    {INT_MIN, 4, 0},
    {5, 7, 1},
    {8, 9, 2},
    {10, 11, 3},
    {12, 12, 4},
    {13, 13, 5},
    {14, INT_MAX, 6},
};

struct MoonRow {
    int lowest;
    int highest;
    int capacity;
    int raw;
};

// By one d10, plus 1 for a Gas Giant's moon. A moon's RAW may be 0.
constexpr MoonRow kMoonByTotal[] = {
    // total         Cap RAW
    {INT_MIN, 4, 1, 0},
    {5, 7, 1, 1},
    {8, 9, 2, 1},
    {10, INT_MAX, 2, 2},
};

}  // namespace

int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size)
{
    const int total = dice.Roll(1, 10) + kMoonZoneModifier[static_cast<int>(zone)] + kMoonSizeModifier[static_cast<int>(size)];
    return RowFor(kMoonCountByTotal, total).moons;
}

HighMoon GenerateMoon(Dice& dice, HighObjectType type)
{
    const int total = dice.Roll(1, 10) + (type == HighObjectType::GasGiant ? 1 : 0);
    const MoonRow& moon = RowFor(kMoonByTotal, total);
    return {moon.capacity, moon.raw};
}

}  // namespace nexmar
