#include <gtest/gtest.h>

#include "gen/high/moons.h"
#include "high_fixture.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using enum OrbitZone;
using enum HighObjectType;
using enum HighObjectSize;
using testing::kD10;
using testing::ScriptedDice;

int MoonCount(int face, OrbitZone zone, HighObjectSize size)
{
    ScriptedDice dice({face});
    const int moons = RollMoonCount(dice, zone, size);
    EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>{kD10}));
    return moons;
}

TEST(Moons, CountsAtTheExtremesAndEveryBoundary)
{
    // Inner Tiny, total -4 to 5: a moon only on a 10.
    EXPECT_EQ(MoonCount(1, Inner, Tiny), 0);
    EXPECT_EQ(MoonCount(9, Inner, Tiny), 0);
    EXPECT_EQ(MoonCount(10, Inner, Tiny), 1);
    EXPECT_EQ(MoonCount(10, Inner, Small), 1);
    // Outer Huge, total 6 to 15: always a moon, six on a 9 or 10, whatever its Capacity.
    for (const HighObjectSize huge : {Huge, HugeCapacity7, HugeCapacity8}) {
        EXPECT_EQ(MoonCount(1, Outer, huge), 1) << huge;
        EXPECT_EQ(MoonCount(8, Outer, huge), 5) << huge;
        EXPECT_EQ(MoonCount(9, Outer, huge), 6) << huge;
        EXPECT_EQ(MoonCount(10, Outer, huge), 6) << huge;
    }
    // Habitable Medium adds nothing: the faces are the totals.
    const std::vector<std::pair<int, int>> faces{{4, 0}, {5, 1}, {7, 1}, {8, 2}, {9, 2}, {10, 3}};
    for (const auto& [face, moons] : faces) {
        EXPECT_EQ(MoonCount(face, Habitable, Medium), moons) << face;
    }
    EXPECT_EQ(MoonCount(10, Habitable, Large), 4);
    EXPECT_EQ(MoonCount(9, Outer, Large), 5);
    EXPECT_EQ(MoonCount(10, Outer, Large), 6);
}

TEST(Moons, CapacityAndRawByTotalWithTheGasGiantsBonus)
{
    struct Case {
        HighObjectType type;
        int face;
        int capacity;
        int raw;
    };
    const std::vector<Case> cases{
        {Hostile, 1, 1, 0},  {Hostile, 4, 1, 0},  {Hostile, 5, 1, 1},   {Hostile, 7, 1, 1},
        {Hostile, 8, 2, 1},  {Hostile, 9, 2, 1},  {Hostile, 10, 2, 2},  {GasGiant, 3, 1, 0},
        {GasGiant, 4, 1, 1}, {GasGiant, 9, 2, 2}, {GasGiant, 10, 2, 2},
    };
    for (const Case& c : cases) {
        ScriptedDice dice({c.face});
        const HighMoon moon = GenerateMoon(dice, c.type);
        EXPECT_EQ(moon.capacity, c.capacity) << c.type << " " << c.face;
        EXPECT_EQ(moon.raw, c.raw) << c.type << " " << c.face;
        EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>{kD10}));
    }
}

}  // namespace
}  // namespace nexmar
