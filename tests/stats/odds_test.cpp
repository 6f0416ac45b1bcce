#include <gtest/gtest.h>

#include <cmath>

#include "gen/odds.h"
#include "stats/run_statistics.h"

namespace nexmar {
namespace {

TEST(Odds, EveryGroupOfEveryTableSumsToOne)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        for (const TableOdds& table : TableOddsOf(level)) {
            ASSERT_EQ(table.odds.size(), table.groups.size()) << table.name;
            for (std::size_t group = 0; group < table.groups.size(); ++group) {
                double sum = 0.0;
                for (const double p : table.odds[group]) {
                    EXPECT_GE(p, 0.0) << table.name;
                    sum += p;
                }
                EXPECT_NEAR(sum, 1.0, 1e-12) << table.name << ", given " << table.groups[group];
            }
        }
    }
}

// Of the 32768 draws, Roll(1, 10) throws away the 2979 below 1 and gives
// face 1 to 2979 of the rest and face 10 to 2978: the die is not quite flat.
// Roll(2, 12) is one flat die, not two dice added.
TEST(Odds, FacesComeFromTheDrawsTheDieKeeps)
{
    const std::vector<double> d10 = FaceOdds(1, 10);
    ASSERT_EQ(d10.size(), 10u);
    EXPECT_DOUBLE_EQ(d10[0], 2979.0 / (32768 - 2979));
    EXPECT_DOUBLE_EQ(d10[9], 2978.0 / (32768 - 2979));
    const std::vector<double> flat = FaceOdds(2, 12);
    EXPECT_NEAR(flat[7 - 2] / flat[0], 1.0, 1e-3);
    double sevens = 0.0;
    ForEachTwoD6([&](int total, double p) { sevens += total == 7 ? p : 0.0; });
    EXPECT_NEAR(sevens, 6.0 / 36.0, 1e-4);
}

TEST(ChiSquare, SurvivalMatchesKnownQuantiles)
{
    EXPECT_NEAR(ChiSquareSurvival(3.841458820694124, 1), 0.05, 1e-12);
    EXPECT_NEAR(ChiSquareSurvival(18.307038053275146, 10), 0.05, 1e-12);
    EXPECT_NEAR(ChiSquareSurvival(40.0, 4) / (std::exp(-20.0) * 21.0), 1.0, 1e-12);
}

// A coin at even odds, each case one table of counts.
TEST(ChiSquare, FitsCountsAgainstOddsAndRefusesTheImpossible)
{
    TableOdds coin("coin", {""}, {"heads", "tails"});
    coin.odds[0] = {0.5, 0.5};
    const struct {
        long heads;
        long tails;
        long unmatched;
        double lowestP;
        double highestP;
    } cases[] = {
        {5010, 4990, 0, 0.5, 1.0},   // within chance
        {5200, 4800, 0, 0.0, 1e-3},  // skewed
        {5000, 5000, 1, 0.0, 0.0},   // a result the table cannot give
    };
    for (const auto& c : cases) {
        const TableFit fit = FitTable(coin, {{c.heads, c.tails}}, c.unmatched);
        EXPECT_GE(fit.p, c.lowestP) << c.heads << "/" << c.tails;
        EXPECT_LE(fit.p, c.highestP) << c.heads << "/" << c.tails;
    }
}

}  // namespace
}  // namespace nexmar
