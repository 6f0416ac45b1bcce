#include <gtest/gtest.h>

#include "gen/high/high_object.h"
#include "high_fixture.h"

namespace nexmar {
namespace {

using enum OrbitZone;
using testing::HighFixture;
using testing::kD10;
using testing::kD6;

using Lines = std::vector<std::string>;
using Calls = std::vector<std::pair<int, int>>;

TEST(HighObject, TinyAsteroidCapacityIsHalvedToZeroThenRaisedOrGivenItsBonus)
{
    // Inner zone, type 1 Asteroid, size 1 Tiny, RAW die 1, then the two special dice.
    struct Case {
        int first, second;
        std::string capacity;
    };
    const std::vector<Case> cases{{1, 1, "Capacity: 1"}, {3, 3, "Capacity: 1"}, {4, 6, "Capacity: 2"}};
    for (const bool census : {false, true}) {
        for (const Case& c : cases) {
            HighFixture high({1, 1, 1, c.first, c.second}, census);
            high.Object(Inner, 0);
            const Lines texts = high.Texts(high.tree.Children(high.system)[0]);
            EXPECT_EQ(texts[0], "Base stats: Tiny/Asteroid");
            EXPECT_EQ(texts[1], c.capacity) << c.first + c.second << " census " << census;
            // No moon die for an Asteroid.
            EXPECT_EQ(high.dice.calls, (Calls{kD10, kD10, kD10, kD6, kD6}));
            EXPECT_TRUE(high.dice.AllUsed());
        }
    }
}

TEST(HighObject, GasGiantSpecialRollOneHasNoSpecialAndPlainCensusValues)
{
    // Inner Gas Giant, size die 5 (+2: Medium), RAW die 6 (-2: 1), special 1 + 1 - 1, no moon.
    HighFixture high({2, 5, 6, 1, 1, 1}, true);
    high.Object(Inner, 0);
    EXPECT_EQ(high.Outline(high.system),
              (Lines{"Object 3A.1", "  Base stats: Medium/Gas Giant", "  Capacity: 4", "  Census: 2", "  Morale: 1",
                     "  Productivity: 1", "  Raw: 1", "  Special: None"}));
    EXPECT_EQ(high.Reports().first, "3A.1,Gas Giant,4,2,1,1,1,Special: None\n");
    EXPECT_EQ(high.dice.calls, (Calls{kD10, kD10, kD10, kD6, kD6, kD10}));
}

TEST(HighObject, CensusIsHalfTheFinalCapacityThenTheSpecialsBonuses)
{
    struct Case {
        std::vector<int> faces;
        Lines census;
    };
    // Inner Hostiles with Rich in Rare Metals (no census bonus) by size die, then an
    // Inner Gas Giant of size 6 whose Fair Biosphere lifts Capacity to 10 and Census by 1.
    const std::vector<Case> cases{
        {{4, 1, 1, 2, 2, 1}, {"Capacity: 1", "Census: 0", "Morale: 1", "Productivity: 1"}},
        {{4, 3, 1, 2, 2, 1}, {"Capacity: 2", "Census: 1", "Morale: 1", "Productivity: 1"}},
        {{4, 5, 1, 2, 2, 1}, {"Capacity: 4", "Census: 2", "Morale: 1", "Productivity: 1"}},
        {{4, 10, 1, 2, 2, 1}, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 2"}},
        {{2, 10, 1, 5, 6, 1}, {"Capacity: 10", "Census: 6", "Morale: 4", "Productivity: 4"}},
    };
    for (const Case& c : cases) {
        HighFixture high(c.faces, true);
        high.Object(Inner, 0);
        const Lines texts = high.Texts(high.tree.Children(high.system)[0]);
        EXPECT_EQ(Lines(texts.begin() + 1, texts.begin() + 5), c.census) << c.faces[1];
        EXPECT_TRUE(high.dice.AllUsed());
    }
}

TEST(HighObject, GaiaWorldShowsItsColonyInTheTreeEvenWithoutCensusButNotInTheReports)
{
    // Inner Terrestrial, Huge (Capacity 6), RAW die 5, special 6 + 5 + 2 = 13, no moon.
    const std::vector<int> faces{10, 10, 5, 6, 5, 1};
    HighFixture off(faces, false);
    off.Object(Inner, 1);
    EXPECT_EQ(off.Outline(off.system),
              (Lines{"Object 3A.2", "  Base stats: Huge/Terrestrial", "  Capacity: 6", "  Census: 1", "  Morale: 1",
                     "  Productivity: 1", "  Raw: 2", "  Special: Gaia World/Splinter Colony"}));
    EXPECT_EQ(off.Reports().first, "3A.2,Terrestrial,6,0,0,0,2,Special: Gaia World/Splinter Colony\n");

    // With census: Capacity 7, then 3 + 1, 2 + 1, 2 + 1.
    HighFixture on(faces, true);
    on.Object(Inner, 1);
    EXPECT_EQ(on.Reports().first, "3A.2,Terrestrial,7,4,3,3,2,Special: Gaia World/Splinter Colony\n");
}

TEST(HighObject, MoonsFollowTheStatLinesAndTheObjectsRowsInOrder)
{
    // Outer Gas Giant, size die 9 (+2: Huge, Capacity 7), RAW die 9 (-2: 2), special 3 + 4 - 1 = 6
    // (Capacity 8); moon die 3 (+2 +3: two moons); moon dice 9 (+1: 2, 2) and 1 (+1: 1, 0).
    HighFixture high({4, 9, 9, 3, 4, 3, 9, 1}, false);
    high.Object(Outer, 3);
    EXPECT_EQ(high.Outline(high.system),
              (Lines{"Object 3A.4", "  Base stats: Huge/Gas Giant", "  Capacity: 8", "  Raw: 2",
                     "  Special: Fair Climate", "  Moon 3A.4.1", "    Capacity: 2", "    Raw: 2", "  Moon 3A.4.2",
                     "    Capacity: 1", "    Raw: 0"}));
    const ItemId object = high.tree.Children(high.system)[0];
    EXPECT_EQ(high.tree.at(object).image, TreeImage::BlueObject);
    EXPECT_EQ(high.Reports().first,
              "3A.4,Gas Giant,8,0,0,0,2,Special: Fair Climate\n"
              "3A.4.1,Moon,2,0,0,0,2,-\n"
              "3A.4.2,Moon,1,0,0,0,0,-\n");
    EXPECT_EQ(high.dice.calls, (Calls{kD10, kD10, kD10, kD6, kD6, kD10, kD10, kD10}));
    EXPECT_TRUE(high.dice.AllUsed());
}

}  // namespace
}  // namespace nexmar
