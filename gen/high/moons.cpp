#include "gen/high/moons.h"

#include <climits>
#include <iterator>
#include <string>

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

MoonCountRange MoonCountsFor(OrbitZone zone, HighObjectSize size)
{
    const int modifier = kMoonZoneModifier[static_cast<int>(zone)] + kMoonSizeModifier[static_cast<int>(size)];
    return {RowFor(kMoonCountByTotal, 1 + modifier).moons, RowFor(kMoonCountByTotal, 10 + modifier).moons};
}

HighMoon GenerateMoon(Dice& dice, HighObjectType type)
{
    const int total = dice.Roll(1, 10) + (type == HighObjectType::GasGiant ? 1 : 0);
    const MoonRow& moon = RowFor(kMoonByTotal, total);
    return {moon.capacity, moon.raw};
}

int HighMoonRow(const HighMoon& moon)
{
    for (int row = 0; row < static_cast<int>(std::size(kMoonByTotal)); ++row) {
        if (kMoonByTotal[row].capacity == moon.capacity && kMoonByTotal[row].raw == moon.raw) {
            return row;
        }
    }
    return -1;
}

// The same dice as RollMoonCount and GenerateMoon.
std::vector<TableOdds> MoonTableOdds()
{
    std::vector<std::string> groups;
    for (const OrbitZone zone : kOrbitZones) {
        for (int size = 0; size < static_cast<int>(std::size(kMoonSizeModifier)); ++size) {
            const auto objectSize = static_cast<HighObjectSize>(size);
            groups.push_back(std::string(OrbitZoneName(zone)) + " " + std::string(HighObjectSizeName(objectSize)) +
                             " (Capacity " + std::to_string(SizeCapacity(objectSize)) + ")");
        }
    }
    TableOdds count("High: moons by zone and size", groups, {"0", "1", "2", "3", "4", "5", "6"});
    for (int zone = 0; zone < 3; ++zone) {
        for (int size = 0; size < static_cast<int>(std::size(kMoonSizeModifier)); ++size) {
            ForEachFace(1, 10, [&](int face, double p) {
                const int total = face + kMoonZoneModifier[zone] + kMoonSizeModifier[size];
                count.odds[zone * 7 + size][RowFor(kMoonCountByTotal, total).moons] += p;
            });
        }
    }
    std::vector<std::string> rows;
    for (const MoonRow& row : kMoonByTotal) {
        rows.push_back("Capacity " + std::to_string(row.capacity) + ", RAW " + std::to_string(row.raw));
    }
    TableOdds moon("High: moon by planet", {"other than Gas Giant", "Gas Giant"}, rows);
    for (int gasGiant = 0; gasGiant <= 1; ++gasGiant) {
        ForEachFace(1, 10, [&](int face, double p) {
            const MoonRow& row = RowFor(kMoonByTotal, face + gasGiant);
            moon.odds[gasGiant][&row - std::begin(kMoonByTotal)] += p;
        });
    }
    return TableList(count, moon);
}

}  // namespace nexmar
