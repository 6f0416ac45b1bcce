#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stats/run_statistics.h"
#include "stats/sector_summary.h"

namespace nexmar {
namespace {

HighObject World(int capacity, std::string_view special)
{
    HighObject object;
    object.type = HighObjectType::Terrestrial;
    object.capacity = capacity;
    object.specialRoll = 2;
    object.special = special;
    return object;
}

// A system of one Red Main Sequence star and the given objects.
SystemRecord HighWith(std::vector<HighObject> objects)
{
    StarComponent component;
    component.stars = {Star{StarColour::Red, StarSize::MainSequence}};
    component.objects = std::move(objects);
    return HighSystem{{component}};
}

const SummarySection& Section(const std::vector<SummarySection>& sections, const std::string& title)
{
    static const SummarySection none;
    for (const SummarySection& section : sections) {
        if (section.title == title) {
            return section;
        }
    }
    return none;
}

// A High sector's Capacity and RAW are its objects' and their moons' alike:
// the moons' shares are what a sum over the objects alone would miss.
TEST(SectorSummary, HighTotalsCountTheMoonsCapacityAndRaw)
{
    RunStatistics statistics(DetailLevel::High, false);
    HighObject ringed = World(6, "Special: None");
    ringed.raw = 3;
    ringed.moons = {{1, 1}, {2, 0}};
    HighObject bare = World(4, "Special: None");
    bare.raw = 2;
    statistics.Add(1, HighWith({ringed, bare}));
    const SectorTotals& totals = statistics.Totals();
    EXPECT_EQ(totals.moons, 2);
    EXPECT_EQ(totals.capacity, 6 + 4 + 1 + 2);
    EXPECT_EQ(totals.raw, 3 + 2 + 1 + 0);
}

// Twelve systems whose worlds' Capacities are known: the ten best are kept,
// highest first and the earlier among equals, each under the name its
// system has now; "Special: None" is no special result.
TEST(SectorSummary, ListsTheBestWorldsAndEachSpecialResultWithItsCount)
{
    RunStatistics statistics(DetailLevel::High, false);
    for (int number = 1; number <= 12; ++number) {
        // System 12 holds the best world, systems 6 and 7 tie.
        const int capacity = number == 12 ? 20 : number == 7 ? 6 : number;
        const std::string_view special = number % 3 == 0 ? "Special: Fair Climate" : "Special: Rich in Rare Metals";
        statistics.Add(number, HighWith({World(1, "Special: None"), World(capacity, special)}));
    }
    SectorEdits edits(5);
    SystemEdits renamed;
    renamed.name = "Vell Prime";
    edits.Set(12, renamed);

    const std::vector<SummarySection> summary = SectorSummary(statistics.Totals(), edits);
    const std::vector<SummaryRow>& best = Section(summary, "Best worlds by Capacity").rows;
    ASSERT_EQ(best.size(), kBestWorldsKept);
    EXPECT_EQ(best[0].label, "Object 12A.2, Terrestrial, in System 12 Vell Prime");
    EXPECT_EQ(best[0].value, "20");
    const std::vector<std::string> values = {"20", "11", "10", "9", "8", "6", "6", "5", "4", "3"};
    for (std::size_t row = 0; row < best.size(); ++row) {
        EXPECT_EQ(best[row].value, values[row]) << row;
    }
    EXPECT_EQ(best[5].label, "Object 6A.2, Terrestrial, in System 6 " + edits.Name(6));

    const std::vector<SummaryRow>& specials = Section(summary, "Special results").rows;
    ASSERT_EQ(specials.size(), 2u);
    EXPECT_EQ(specials[0].label, "Special: Rich in Rare Metals");
    EXPECT_EQ(specials[0].value, "8");
    EXPECT_EQ(specials[1].label, "Special: Fair Climate");
    EXPECT_EQ(specials[1].value, "4");
    EXPECT_EQ(Section(summary, "Stars by size").rows.back().value, "12");
}

// No two rows of the summary read alike, at any level: the three Huge
// object sizes among them.
TEST(SectorSummary, NamesNoTwoRowsAlike)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        const RunStatistics statistics(level, true);
        std::vector<std::string> labels;
        for (const SummarySection& section : SectorSummary(statistics.Totals(), SectorEdits(1))) {
            for (const SummaryRow& row : section.rows) {
                EXPECT_EQ(std::count(labels.begin(), labels.end(), row.label), 0)
                    << row.label << " twice at " << DetailLevelName(level) << " detail";
                labels.push_back(row.label);
            }
        }
        EXPECT_FALSE(labels.empty());
    }
}

}  // namespace
}  // namespace nexmar
