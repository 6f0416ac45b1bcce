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

// Small tables whose fit is known exactly. Each statistic is worked out by
// hand below; the p-values come from the chi-square survival in closed form:
// erfc(sqrt(x/2)) for 1 degree of freedom, exp(-x/2) for 2,
// erfc(sqrt(x/2)) + sqrt(2x/pi) exp(-x/2) for 3, exp(-x/2)(1 + x/2) for 4.
TEST(ChiSquare, FitsSmallTablesToTheirExactStatisticDegreesOfFreedomAndP)
{
    const struct {
        const char* name;
        std::vector<std::vector<double>> odds;
        std::vector<std::vector<long>> counts;
        double statistic;
        int degreesOfFreedom;
        double p;
    } cases[] = {
        // 50 expected each: (10^2 + 10^2) / 50 = 4; erfc(sqrt 2).
        {"a coin, 60 to 40", {{0.5, 0.5}}, {{60, 40}}, 4.0, 1, 0.045500263896358396},
        // 50, 25, 25 expected: 100/50 + 25/25 + 25/25 = 4; exp(-2).
        {"three faces", {{0.5, 0.25, 0.25}}, {{40, 30, 30}}, 4.0, 2, 0.1353352832366127},
        // 36, 2, 2 expected; the two below five pooled, 10 seen for 4:
        // 36/36 + 36/4 = 10 over two cells; erfc(sqrt 5).
        {"rare outcomes pooled", {{0.9, 0.05, 0.05}}, {{30, 6, 4}}, 10.0, 1, 0.0015654022580025488},
        // The coin's 4 on 1 and the three faces' 4 on 2 add up to 8 on 3; an
        // outcome its group cannot give adds no cell, an empty group nothing:
        // erfc(2) + sqrt(16/pi) exp(-4).
        {"groups added up",
         {{0.5, 0.5, 0.0}, {0.5, 0.25, 0.25}, {1.0 / 3, 1.0 / 3, 1.0 / 3}},
         {{60, 40, 0}, {40, 30, 30}, {0, 0, 0}},
         8.0,
         3,
         0.04601170568923137},
        // 25 expected of each of five: (100 + 25 + 25) / 25 = 6; 4 exp(-3).
        {"five faces", {{0.2, 0.2, 0.2, 0.2, 0.2}}, {{35, 20, 20, 25, 25}}, 6.0, 4, 0.19914827347145578},
    };
    for (const auto& c : cases) {
        std::vector<std::string> groups(c.odds.size());
        std::vector<std::string> outcomes(c.odds.front().size());
        TableOdds table(c.name, groups, outcomes);
        table.odds = c.odds;
        const TableFit fit = FitTable(table, c.counts);
        EXPECT_NEAR(fit.statistic, c.statistic, 1e-9) << c.name << ": chi-square";
        EXPECT_EQ(fit.degreesOfFreedom, c.degreesOfFreedom) << c.name << ": degrees of freedom";
        EXPECT_NEAR(fit.p / c.p, 1.0, 1e-9) << c.name << ": p-value " << fit.p;
        EXPECT_FALSE(fit.impossibleSeen) << c.name;
    }
}

}  // namespace
}  // namespace nexmar
