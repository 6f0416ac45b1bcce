#include "gen/high/moons.h"

#include <algorithm>
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

}  // namespace

int MoonCountFor(int face, OrbitZone zone, HighObjectSize size)
{
    const int total = face + kMoonZoneModifier[static_cast<int>(zone)] + kMoonSizeModifier[static_cast<int>(size)];
    return RowFor(kMoonCountByTotal, total).moons;
}

// The rows rise with the total, so the die's lowest and highest faces give
// the fewest and the most.
MoonCountRange MoonCountsFor(OrbitZone zone, HighObjectSize size)
{
    return {MoonCountFor(1, zone, size), MoonCountFor(10, zone, size)};
}

int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size)
{
    return MoonCountFor(dice.Roll(1, 10), zone, size);
}

int MoonRowFor(int face, HighObjectType type)
{
    const int total = face + (type == HighObjectType::GasGiant ? 1 : 0);
    const std::span<const MoonTableRow> rows = HighMoonTable();
    const auto row = std::find_if(rows.begin(), rows.end() - 1,
                                  [total](const MoonTableRow& r) { return total >= r.lowest && total <= r.highest; });
    return static_cast<int>(row - rows.begin());
}

HighMoon GenerateMoon(Dice& dice, HighObjectType type)
{
    const MoonTableRow& moon = HighMoonTable()[static_cast<std::size_t>(MoonRowFor(dice.Roll(1, 10), type))];
    return {moon.capacity, moon.raw};
}

int HighMoonRow(const HighMoon& moon)
{
    const std::span<const MoonTableRow> rows = HighMoonTable();
    const auto row = std::find_if(rows.begin(), rows.end(), [&moon](const MoonTableRow& r) {
        return r.capacity == moon.capacity && r.raw == moon.raw;
    });
    return row == rows.end() ? -1 : static_cast<int>(row - rows.begin());
}

// The same dice as RollMoonCount and GenerateMoon.
std::vector<TableOdds> MoonTableOdds()
{
    std::vector<std::string> groups;
    for (const OrbitZone zone : kOrbitZones) {
        for (int size = 0; size < kHighObjectSizes; ++size) {
            const auto objectSize = static_cast<HighObjectSize>(size);
            groups.push_back(std::string(OrbitZoneName(zone)) + " " + std::string(HighObjectSizeName(objectSize)) +
                             " (Capacity " + std::to_string(SizeCapacity(objectSize)) + ")");
        }
    }
    TableOdds count("High: moons by zone and size", groups, {"0", "1", "2", "3", "4", "5", "6"});
    for (const OrbitZone zone : kOrbitZones) {
        for (int size = 0; size < kHighObjectSizes; ++size) {
            const auto objectSize = static_cast<HighObjectSize>(size);
            ForEachFace(1, 10, [&](int face, double p) {
                count.odds[HighMoonCountGroup(zone, objectSize)][MoonCountFor(face, zone, objectSize)] += p;
            });
        }
    }
    std::vector<std::string> rows;
    for (const MoonTableRow& row : HighMoonTable()) {
        rows.push_back("Capacity " + std::to_string(row.capacity) + ", RAW " + std::to_string(row.raw));
    }
    TableOdds moon("High: moon by planet", {"other than Gas Giant", "Gas Giant"}, rows);
    for (const HighObjectType type : {HighObjectType::Hostile, HighObjectType::GasGiant}) {
        ForEachFace(1, 10, [&](int face, double p) { moon.odds[HighMoonGroup(type)][MoonRowFor(face, type)] += p; });
    }
    return TableList(count, moon);
}

}  // namespace nexmar
