#include <gtest/gtest.h>

#include "core/format.h"
#include "run/generation_run.h"
#include "stats/run_statistics.h"
#include "support/scratch.h"

namespace nexmar {
namespace {

// The odds fitted here are the generator's own, worked out from the rows it
// rolls on, so a row changed changes both alike: ExactOdds (exact_odds_test)
// pins those odds to the suite's own copy of the tables, and this test checks
// that the rolls follow them.
// Below this p-value the observed frequencies do not follow the tables. The
// seeds are fixed, so a sound generator passes every time; a wrong range or
// a swapped die moves p far below it at these sample sizes.
constexpr double kFailBelow = 1e-6;

// One roll's worth of chance moved from one outcome of a table to the next,
// as a boundary moved by one would: the same counts must then fail.
struct MovedBoundary {
    std::size_t table;
    int group;
    int from;
    int to;
    bool twoD6;  // the roll is a total of two d6, else a face of one d10
    int roll;

    double Chance() const
    {
        if (!twoD6) {
            return FaceOdds(1, 10)[roll - 1];
        }
        double chance = 0.0;
        ForEachTwoD6([&](int total, double p) { chance += total == roll ? p : 0.0; });
        return chance;
    }
};

struct LevelRun {
    const char* name;
    DetailLevel level;
    bool census;
    int systems;
    std::uint32_t seed;
    MovedBoundary moved;
};

const LevelRun kRuns[] = {
    // Minor Colony's lowest total, 6, given to Outpost.
    {"Low", DetailLevel::Low, false, 1000000, 20261207, {static_cast<std::size_t>(LowTable::SizeClass), 0, 2, 1, true, 6}},
    // The moon die's 8 ("Accessible w/ resources") read as 7 ("Accessible").
    {"Medium", DetailLevel::Medium, false, 100000, 31337, {static_cast<std::size_t>(MediumTable::Moon), 0, 3, 2, true, 8}},
    // A Habitable object's d10 of 5 read as Hostile rather than Sub-Terrestrial.
    {"High", DetailLevel::High, true, 100000, 8675309,
     {static_cast<std::size_t>(HighTable::Type), static_cast<int>(OrbitZone::Habitable),
      static_cast<int>(HighObjectType::SubTerrestrial), static_cast<int>(HighObjectType::Hostile), false, 5}},
};

void PrintTo(const LevelRun& run, std::ostream* out)
{
    *out << run.name;
}

RunStatistics Collect(const LevelRun& run)
{
    SeededDice dice(run.seed);
    ResultTree tree;
    ReportFiles reports("/dev/null", "/dev/null");
    testing::RecordingNotifier notifier;
    RunStatistics statistics(run.level, run.census);
    RunOutput* const observers[] = {&statistics};
    RunGeneration({{run.systems, run.level, run.census}, run.systems, false}, dice, tree, reports, notifier,
                  [&](const ResultTree&, ItemId system) { tree.DropFrom(system); }, observers);
    return statistics;
}

class TablesStats : public ::testing::TestWithParam<LevelRun> {};

TEST_P(TablesStats, EveryTableFollowsItsOddsAndAMovedBoundaryDoesNot)
{
    const LevelRun& run = GetParam();
    const RunStatistics statistics = Collect(run);
    for (std::size_t table = 0; table < statistics.Tables().size(); ++table) {
        const TableFit fit = statistics.Fit(table);
        const std::string& name = statistics.Tables()[table].name;
        EXPECT_GE(fit.p, kFailBelow) << name << ": chi-square " << fit.statistic << ", " << fit.degreesOfFreedom
                                     << " degrees of freedom";
        RecordProperty(name, Format("%g", fit.p));
    }

    const MovedBoundary& moved = run.moved;
    TableOdds wrong = statistics.Tables()[moved.table];
    wrong.odds[moved.group][moved.from] -= moved.Chance();
    wrong.odds[moved.group][moved.to] += moved.Chance();
    const TableFit fit = FitTable(wrong, statistics.Counts()[moved.table]);
    EXPECT_LT(fit.p, kFailBelow) << wrong.name << " with a moved boundary: chi-square " << fit.statistic;
    RecordProperty(wrong.name + " with a moved boundary", Format("%g", fit.p));
}

INSTANTIATE_TEST_SUITE_P(Levels, TablesStats, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<LevelRun>& info) { return info.param.name; });

}  // namespace
}  // namespace nexmar
