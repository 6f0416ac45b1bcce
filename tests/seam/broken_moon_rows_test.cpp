// Linked in place of the moon table's rows (gen/high/moon_rows.cpp): one row
// broken, 8 moving from the third row to the second. The roll and its odds
// read the same rows through the same rule, so both must follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "gen/high/moons.h"
#include "support/test_support.h"

namespace nexmar {

std::span<const MoonTableRow> HighMoonTable()
{
    static constexpr MoonTableRow kBroken[] = {
        {INT_MIN, 4, 1, 0},
        {5, 8, 1, 1},
        {9, 9, 2, 1},
        {10, INT_MAX, 2, 2},
    };
    return kBroken;
}

namespace {

TEST(BrokenMoonRow, TheRollAndItsOddsFollowTheRowTogether)
{
    testing::ScriptedDice dice({8});
    EXPECT_EQ(HighMoonRow(GenerateMoon(dice, HighObjectType::Hostile)), 1);
    EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>{{1, 10}}));

    const std::vector<TableOdds> tables = MoonTableOdds();
    const auto moon = std::find_if(tables.begin(), tables.end(),
                                   [](const TableOdds& table) { return table.name == "High: moon by planet"; });
    ASSERT_NE(moon, tables.end());
    const std::vector<double> d10 = FaceOdds(1, 10);
    // Other than a Gas Giant: faces 5 to 8, then 9 alone.
    EXPECT_DOUBLE_EQ(moon->odds[0][1], d10[4] + d10[5] + d10[6] + d10[7]);
    EXPECT_DOUBLE_EQ(moon->odds[0][2], d10[8]);
}

}  // namespace
}  // namespace nexmar
