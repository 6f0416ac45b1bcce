#include <gtest/gtest.h>

#include "gen/low/low_system.h"
#include "run/tree_renderer.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::RunScripted;
using testing::ScriptedDice;
using testing::ScriptedRun;

// One Low-detail system at index with the four faces given, as the tree shows it.
struct LowFixture {
    LowFixture(std::vector<int> faces, int index, bool census) : dice(std::move(faces))
    {
        const ItemId system = tree.Insert(kNoItem, "System", TreeImage::System, Placement::Last);
        record = index == 0 ? GenerateFirstLowSystem(dice, census) : GenerateLowSystem(dice, census);
        RenderLowSystem(tree, system, record);
        for (const ItemId child : tree.Children(system)) {
            texts.push_back(tree.at(child).text);
            EXPECT_EQ(tree.at(child).image, TreeImage::Blank);
        }
    }
    ScriptedDice dice;
    ResultTree tree;
    LowSystem record;
    std::vector<std::string> texts;
};

TEST(LowSystem, TheFirstSystemIsAMajorColonyWhateverItsImportanceDice)
{
    for (const auto& importance : std::vector<std::pair<int, int>>{{1, 1}, {3, 4}, {6, 6}}) {
        // Special dice 1 + 1 + 2 = 4: Rich in Rare Metals, RAW 3 + 1.
        LowFixture low({importance.first, importance.second, 1, 1}, 0, true);
        EXPECT_EQ(low.texts, (std::vector<std::string>{"Base stats: Major Colony/Major", "Capacity: 10", "Census: 7",
                                                       "Morale: 6", "Productivity: 3", "Raw: 4",
                                                       "Special: Rich in Rare Metals"}));
        EXPECT_EQ(low.dice.calls, (std::vector<std::pair<int, int>>(4, {1, 6})));
        EXPECT_TRUE(low.dice.AllUsed());
    }
}

TEST(LowSystem, ImportanceTableBoundaries)
{
    const std::vector<std::pair<int, std::string>> rows{
        {2, "Minor Outpost/Unimportant"}, {3, "Minor Outpost/Unimportant"}, {4, "Outpost/Unimportant"},
        {5, "Outpost/Unimportant"},       {6, "Minor Colony/Minor"},        {8, "Minor Colony/Minor"},
        {9, "Colony/Minor"},              {10, "Colony/Minor"},             {11, "Major Colony/Major"},
        {12, "Major Colony/Major"}};
    for (const auto& [total, base] : rows) {
        const int first = total > 7 ? 6 : 1;
        LowFixture low({first, total - first, 6, 6}, 1, false);
        EXPECT_EQ(low.texts.front(), "Base stats: " + base) << total;
    }
}

TEST(LowSystem, SpecialTableBoundariesAndEffects)
{
    // A Minor Colony (modifier 0, Census 3, Morale 2, Productivity 1, Capacity 6, RAW 2) on each special total.
    struct Case {
        int total;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases{
        {2, {"Capacity: 6", "Census: 3", "Morale: 3", "Productivity: 1", "Raw: 2",
             "Special: Fair Government (+1 Morale)"}},
        {3, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 1", "Raw: 3", "Special: Rich in Rare Metals"}},
        {5, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 1", "Raw: 3", "Special: Rich in Rare Metals"}},
        {6, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 2", "Raw: 2",
             "Special: Fair Climate (+1 Productivity)"}},
        {7, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 1", "Raw: 4",
             "Special: Rich in Precious Metals"}},
        {8, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 3", "Raw: 2",
             "Special: Expanded Industry (+2 Productivity)"}},
        {9, {"Capacity: 6", "Census: 4", "Morale: 3", "Productivity: 1", "Raw: 2",
             "Special: Expanded Population (+1 Census, +1 Morale)"}},
        {10, {"Capacity: 8", "Census: 4", "Morale: 2", "Productivity: 1", "Raw: 2",
              "Special: Fair Biosphere (+1 Census, +2 Capacity)"}},
        {11, {"Capacity: 8", "Census: 4", "Morale: 2", "Productivity: 1", "Raw: 2",
              "Special: Fair Biosphere (+1 Census, +2 Capacity)"}},
        {12, {"Capacity: 6", "Census: 3", "Morale: 2", "Productivity: 1", "Raw: 2", "Special Resource"}},
    };
    for (const Case& c : cases) {
        const int first = c.total > 7 ? 6 : 1;
        LowFixture low({3, 4, first, c.total - first}, 1, true);
        std::vector<std::string> expected{"Base stats: Minor Colony/Minor"};
        expected.insert(expected.end(), c.texts.begin(), c.texts.end());
        EXPECT_EQ(low.texts, expected) << c.total;
    }
}

TEST(LowSystem, NoSpecialSortsBetweenCensusLinesAndMinorOutpostsNeverReachSpecialResource)
{
    // Minor Outpost, modifier -2: two special dice of 3 give 1, "No special".
    LowFixture low({1, 1, 1, 2}, 1, true);
    EXPECT_EQ(low.texts, (std::vector<std::string>{"Base stats: Minor Outpost/Unimportant", "Capacity: 2",
                                                   "Census: 1", "Morale: 1", "No special", "Productivity: 0",
                                                   "Raw: 1"}));
    LowFixture highest({1, 1, 6, 6}, 1, false);
    EXPECT_EQ(highest.texts.back(), "Special: Fair Biosphere (+1 Census, +2 Capacity)");
    // A Colony with Fair Biosphere: Capacity 10, Census 6; without census four lines only.
    LowFixture colony({4, 5, 4, 5}, 1, false);
    EXPECT_EQ(colony.texts, (std::vector<std::string>{"Base stats: Colony/Minor", "Capacity: 10", "Raw: 2",
                                                      "Special: Fair Biosphere (+1 Census, +2 Capacity)"}));
}

// System 1: importance dice ignored, special 3 + 4 + 2 = 9. System 2: 3 + 3 = 6, special 1 + 2 = 3.
ScriptedRun RunTwoSystems(bool census)
{
    return RunScripted({{2, DetailLevel::Low, census}}, {1, 1, 3, 4, 3, 3, 1, 2});
}

TEST(LowReports, TextBytesWithAQuotedSpecialCensusOnAndOff)
{
    const std::string header = "System,Size/Importance,Capacity,Census,Morale,Productivity,RAW,Special\n";
    EXPECT_EQ(RunTwoSystems(true).text,
              header + "1,Major Colony/Major,10,8,7,3,3,\"Special: Expanded Population (+1 Census, +1 Morale)\"\n"
                       "2,Minor Colony/Minor,6,3,2,1,3,Special: Rich in Rare Metals\n");
    EXPECT_EQ(RunTwoSystems(false).text,
              header + "1,Major Colony/Major,10,0,0,0,3,\"Special: Expanded Population (+1 Census, +1 Morale)\"\n"
                       "2,Minor Colony/Minor,6,0,0,0,3,Special: Rich in Rare Metals\n");
}

TEST(LowReports, HtmlBytesCensusOnAndOff)
{
    const std::string head =
        "<html><body>\n<table cellpadding=\"1\" border=\"1\">\n"
        "\t<th>System</th><th>Size/Importance</th><th>Capacity</th><th>Census</th><th>Morale</th>"
        "<th>Productivity</th><th>RAW</th><th>Special</th>\n";
    const std::string tail = "</table>\n</body></html>\n";
    EXPECT_EQ(RunTwoSystems(true).html,
              head +
                  "\t<tr>\n\t\t<td>1</td><td>Major Colony/Major</td><td>10</td><td>8</td><td>7</td><td>3</td>"
                  "<td>3</td><td>Special: Expanded Population (+1 Census, +1 Morale)</td>\n\t</tr>\n"
                  "\t<tr>\n\t\t<td>2</td><td>Minor Colony/Minor</td><td>6</td><td>3</td><td>2</td><td>1</td>"
                  "<td>3</td><td>Special: Rich in Rare Metals</td>\n\t</tr>\n" +
                  tail);
    EXPECT_EQ(RunTwoSystems(false).html,
              head +
                  "\t<tr>\n\t\t<td>1</td><td>Major Colony/Major</td><td>10</td><td>0</td><td>0</td><td>0</td>"
                  "<td>3</td><td>Special: Expanded Population (+1 Census, +1 Morale)</td>\n\t</tr>\n"
                  "\t<tr>\n\t\t<td>2</td><td>Minor Colony/Minor</td><td>6</td><td>0</td><td>0</td><td>0</td>"
                  "<td>3</td><td>Special: Rich in Rare Metals</td>\n\t</tr>\n" +
                  tail);
}

}  // namespace
}  // namespace nexmar
