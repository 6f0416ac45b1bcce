#include "gen/high/moons.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>

#include "gen/table_lookup.h"

namespace nexmar {

using namespace high;

int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size)
{
    return MoonCountFor(dice.Roll(1, kMoonCountDie), zone, size);
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
    std::vector<std::string> counts;
    for (int moons = 0; moons <= kHighMostMoons; ++moons) {
        counts.push_back(std::to_string(moons));
    }
    TableOdds count("High: moons by zone and size", groups, counts);
    for (const OrbitZone zone : kOrbitZones) {
        for (int size = 0; size < kHighObjectSizes; ++size) {
            const auto objectSize = static_cast<HighObjectSize>(size);
            ForEachFace(1, kMoonCountDie, [&](int face, double p) {
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
