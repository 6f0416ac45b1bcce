#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <set>
#include <vector>

#include "map/hex_grid.h"
#include "map/map_density.h"
#include "map/system_places.h"

namespace nexmar {
namespace {

int HexIndex(HexPlace place)
{
    return (place.column - 1) * kSectorRows + (place.row - 1);
}

// Steps from one hex to every other of a sector, by the grid's edges alone.
std::vector<int> BreadthFirstSteps(HexPlace start)
{
    std::vector<int> steps(kHexesPerSector, -1);
    std::deque<HexPlace> queue{start};
    steps[static_cast<std::size_t>(HexIndex(start))] = 0;
    while (!queue.empty()) {
        const HexPlace here = queue.front();
        queue.pop_front();
        HexPlace neighbours[6];
        HexNeighbours(here, neighbours);
        for (const HexPlace next : neighbours) {
            if (next.column < 1 || next.column > kSectorColumns || next.row < 1 || next.row > kSectorRows) {
                continue;
            }
            int& seen = steps[static_cast<std::size_t>(HexIndex(next))];
            if (seen < 0) {
                seen = steps[static_cast<std::size_t>(HexIndex(here))] + 1;
                queue.push_back(next);
            }
        }
    }
    return steps;
}

// The neighbours are the grid's own: an even column sits half a hex lower,
// so 0201 touches 0101 and 0301 but not 0102's neighbours above it.
TEST(HexGrid, NeighboursFollowTheLowerEvenColumns)
{
    HexPlace around[6];
    HexNeighbours({2, 1}, around);
    const std::set<std::pair<int, int>> even{{2, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {1, 1}};
    std::set<std::pair<int, int>> got;
    for (const HexPlace place : around) {
        got.insert({place.column, place.row});
    }
    EXPECT_EQ(got, even);
    HexNeighbours({3, 5}, around);
    got.clear();
    for (const HexPlace place : around) {
        got.insert({place.column, place.row});
    }
    EXPECT_EQ(got, (std::set<std::pair<int, int>>{{3, 4}, {4, 4}, {4, 5}, {3, 6}, {2, 5}, {2, 4}}));
}

TEST(HexGrid, DistanceIsTheBreadthFirstStepsBetweenEveryPairOfASector)
{
    int wrong = 0;
    for (int column = 1; column <= kSectorColumns; ++column) {
        for (int row = 1; row <= kSectorRows; ++row) {
            const HexPlace from{column, row};
            const std::vector<int> steps = BreadthFirstSteps(from);
            for (int c = 1; c <= kSectorColumns; ++c) {
                for (int r = 1; r <= kSectorRows; ++r) {
                    wrong += HexDistance(from, {c, r}) != steps[static_cast<std::size_t>(HexIndex({c, r}))];
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(HexGrid, NumbersAndSubsectors)
{
    struct Case {
        HexPlace place;
        const char* number;
        char subsector;
    };
    const Case cases[] = {{{1, 1}, "0101", 'A'}, {{3, 4}, "0304", 'A'},   {{9, 1}, "0901", 'B'},
                          {{32, 10}, "3210", 'D'}, {{1, 11}, "0111", 'E'}, {{32, 40}, "3240", 'P'},
                          {{33, 41}, "0101", 'A'}, {{17, 25}, "1725", 'K'}};
    for (const Case& c : cases) {
        EXPECT_EQ(HexNumber(c.place), c.number);
        EXPECT_EQ(SubsectorLetter(c.place), c.subsector) << c.number;
    }
}

TEST(MapDensity, NamesAndPercentages)
{
    EXPECT_EQ(ParseDensity("Rift"), 4);
    EXPECT_EQ(ParseDensity("dense"), 66);
    EXPECT_EQ(ParseDensity("37"), 37);
    EXPECT_EQ(ParseDensity("100%"), 100);
    for (const char* refused : {"", "0", "101", "07", "-5", "half", "5x", "%"}) {
        EXPECT_FALSE(ParseDensity(refused)) << refused;
    }
    EXPECT_EQ(DensityName(33), "Scattered");
    EXPECT_EQ(DensityName(37), "37%");
}

// The fewest whole subsectors whose hexes at the density hold the systems.
TEST(MapExtent, FewestSubsectorsThatHoldTheSystems)
{
    struct Case {
        int systems;
        int density;
        int subsectors;
        int sectors;
        int across;
    };
    const Case cases[] = {{1, 4, 1, 1, 1},      {40, 50, 1, 1, 1},    {41, 50, 2, 1, 1},
                          {200, 66, 4, 1, 1},   {200, 4, 63, 4, 2},   {80, 100, 1, 1, 1},
                          {81, 100, 2, 1, 1},   {1000000, 50, 25000, 1563, 40}};
    for (const Case& c : cases) {
        const MapExtent extent = MapExtent::For(c.systems, c.density);
        EXPECT_EQ(extent.subsectors, c.subsectors) << c.systems << " at " << c.density;
        EXPECT_EQ(extent.sectors, c.sectors) << c.systems << " at " << c.density;
        EXPECT_EQ(extent.sectorsAcross, c.across) << c.systems << " at " << c.density;
    }
}

TEST(SystemPlaces, UniqueWithinTheExtentAndInItsSubsectors)
{
    for (const NamedDensity& density : kNamedDensities) {
        const SystemPlaces places(200, density.percent, 2026);
        const MapExtent& extent = places.Extent();
        std::set<std::pair<int, int>> taken;
        for (int number = 1; number <= places.Systems(); ++number) {
            const HexPlace place = places.Of(number);
            EXPECT_TRUE(taken.insert({place.column, place.row}).second) << density.name << " " << number;
            const int sector = extent.SectorOf(place);
            ASSERT_LE(sector, extent.sectors);
            const int subsector = (sector - 1) * kSubsectorsPerSector + (SubsectorLetter(place) - 'A');
            EXPECT_LT(subsector, extent.subsectors) << density.name << " " << number;
        }
    }
}

// The places are drawn in integers alone, from no library's distribution,
// so every compiler and library must draw these; a change to them moves
// every referee's map.
TEST(SystemPlaces, SameOnEveryBuild)
{
    const SystemPlaces places(12, 50, 2026);
    std::string numbers;
    for (int number = 1; number <= places.Systems(); ++number) {
        numbers += HexNumber(places.Of(number)) + " ";
    }
    EXPECT_EQ(numbers, "0803 0408 0108 0304 0208 0306 0504 0207 0602 0305 0105 0710 ");
}

// The seed is taken whole: seeds that share their low 32 bits place apart.
TEST(SystemPlaces, EveryBitOfTheSeedCounts)
{
    const SystemPlaces low(50, 50, 7);
    const SystemPlaces high(50, 50, (std::uint64_t{1} << 40) | 7);
    int same = 0;
    for (int number = 1; number <= 50; ++number) {
        same += low.Of(number) == high.Of(number);
    }
    EXPECT_LT(same, 10);
}

}  // namespace
}  // namespace nexmar
