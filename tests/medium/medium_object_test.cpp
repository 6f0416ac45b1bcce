#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "gen/medium/medium_object.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::ScriptedDice;
using testing::TempDir;
using Calls = std::vector<std::pair<int, int>>;

constexpr std::pair<int, int> kD2{1, 2};
constexpr std::pair<int, int> kD6{1, 6};
constexpr std::pair<int, int> kFlat{2, 12};

// Two d6 faces that add up to total.
std::vector<int> TwoDice(int total)
{
    return total <= 7 ? std::vector<int>{1, total - 1} : std::vector<int>{6, total - 6};
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> faces;
    for (const auto& part : parts) {
        faces.insert(faces.end(), part.begin(), part.end());
    }
    return faces;
}

// One object generated from the faces given; its report rows are read back
// when the reports are opened.
struct ObjectRun {
    ObjectRun(OrbitZone zone, std::vector<int> faces, bool census = true, bool withReports = false,
              int systemNumber = 1, int slot = 1)
        : dice(std::move(faces)), reports(dir.path())
    {
        RecordingNotifier notifier;
        if (withReports) {
            EXPECT_TRUE(reports.OpenReports(notifier));
        }
        const ItemId system = tree.Insert(kNoItem, "System", ImgSystem, Placement::Last);
        GenContext context{dice, tree, reports, census};
        GenerateMediumObject(context, zone, systemNumber, slot, system);
        EXPECT_TRUE(dice.AllUsed());
        EXPECT_EQ(tree.Children(system).size(), 1u);
        object = tree.Children(system).front();
        for (const ItemId line : tree.Children(object)) {
            shown.push_back(tree.at(line).text);
            EXPECT_EQ(tree.at(line).image, ImgBlank);
        }
        if (withReports) {
            EXPECT_TRUE(reports.CloseReports(notifier));
            text = ReadFile(dir.path() / kTextReportName);
            html = ReadFile(dir.path() / kHtmlReportName);
            const std::string prologue = "<html><body>\n";
            const std::string epilogue = "</body></html>\n";
            EXPECT_EQ(html.substr(0, prologue.size()), prologue);
            EXPECT_EQ(html.substr(html.size() - epilogue.size()), epilogue);
            html = html.substr(prologue.size(), html.size() - prologue.size() - epilogue.size());
        }
    }

    // The shown line that begins with prefix.
    std::string Line(const std::string& prefix) const
    {
        const auto line = std::find_if(shown.begin(), shown.end(),
                                       [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
        return line == shown.end() ? "(no " + prefix + " line)" : *line;
    }

    // The lines in the order they were added: item ids grow with each insertion.
    std::vector<std::string> AddedOrder() const
    {
        std::vector<ItemId> lines = tree.Children(object);
        std::sort(lines.begin(), lines.end());
        std::vector<std::string> texts;
        for (const ItemId line : lines) {
            texts.push_back(tree.at(line).text);
        }
        return texts;
    }

    // Raw, Capacity, Census, Morale and Productivity as the tree shows them.
    std::vector<std::string> Stats() const
    {
        return {Line("Raw"), Line("Capacity"), Line("Census"), Line("Morale"), Line("Productivity")};
    }

    TempDir dir;
    ScriptedDice dice;
    ResultTree tree;
    ReportFiles reports;
    ItemId object = kNoItem;
    std::vector<std::string> shown;
    std::string text;
    std::string html;
};

// System 2, slot 1, Inner: Terrestrial with one moon, Moderate, Fair Biosphere,
// a moon Favorable w/ resources.
const std::vector<int> kWorkedExample{4, 2, 8, 5, 4, 6, 4};

TEST(MediumObject, WorkedExampleTreeRowsAndDice)
{
    const ObjectRun run(Inner, kWorkedExample, true, true, 2, 1);
    EXPECT_EQ(run.tree.at(run.object).text, "Object 2.1");
    EXPECT_EQ(run.tree.at(run.object).image, ImgRedObject);
    EXPECT_EQ(run.AddedOrder(),
              (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Raw: 3", "Capacity: 7",
                                        "Special: Fair Biosphere (+1 Capacity)", "Moons: 1: Favorable w/ resources",
                                        "Census: 3", "Morale: 2", "Productivity: 2"}));
    EXPECT_EQ(run.text,
              "2.1,Terrestrial,Moderate,7,3,2,2,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n");
    EXPECT_EQ(run.html,
              "\t<tr>\n"
              "\t\t<td><font color=\"#FF0000\">2.1</font></td><td><font color=\"#FF0000\">Terrestrial</font></td>"
              "<td><font color=\"#FF0000\">Moderate</font></td><td><font color=\"#FF0000\">7</font></td>"
              "<td><font color=\"#FF0000\">3</font></td><td><font color=\"#FF0000\">2</font></td>"
              "<td><font color=\"#FF0000\">2</font></td><td><font color=\"#FF0000\">3</font></td>"
              "<td><font color=\"#FF0000\">Special: Fair Biosphere (+1 Capacity)</font></td>"
              "<td><font color=\"#FF0000\">1: Favorable w/ resources</font></td>\t</tr>\n");
    // Type, moon count, value, two special dice, two dice for the one moon.
    EXPECT_EQ(run.dice.calls, (Calls{kD6, kD2, kFlat, kD6, kD6, kD6, kD6}));
}

TEST(MediumObject, StatLinesShowAlphabeticallyAndCensusOffLeavesFiveLinesAndZeroColumns)
{
    const ObjectRun on(Inner, kWorkedExample, true);
    EXPECT_EQ(on.shown, (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Capacity: 7", "Census: 3",
                                                  "Moons: 1: Favorable w/ resources", "Morale: 2", "Productivity: 2",
                                                  "Raw: 3", "Special: Fair Biosphere (+1 Capacity)"}));
    const ObjectRun off(Inner, kWorkedExample, false, true, 2, 1);
    EXPECT_EQ(off.shown, (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Capacity: 7",
                                                   "Moons: 1: Favorable w/ resources", "Raw: 3",
                                                   "Special: Fair Biosphere (+1 Capacity)"}));
    EXPECT_EQ(off.text,
              "2.1,Terrestrial,Moderate,7,0,0,0,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n");
    EXPECT_NE(off.html.find("<td><font color=\"#FF0000\">7</font></td><td><font color=\"#FF0000\">0</font></td>"
                            "<td><font color=\"#FF0000\">0</font></td><td><font color=\"#FF0000\">0</font></td>"
                            "<td><font color=\"#FF0000\">3</font></td>"),
              std::string::npos);
}

TEST(MediumObject, EveryTypeRowWithItsMoonDie)
{
    struct Row {
        OrbitZone zone;
        int face;
        int moonDie;  // 0: no moon die
        int moonFace;
        int code;
        const char* baseStats;
        int moons;
    };
    // Value roll 7 where there is one, special dice 1 + 1, every moon 3 + 4 (Accessible).
    const std::vector<Row> rows{
        {Inner, 1, 0, 0, 3, "Base stats: Very Low/Hostile", 0},
        {Inner, 2, 2, 2, 3, "Base stats: Very Low/Hostile", 1},
        {Inner, 3, 2, 1, 2, "Base stats: Low/Sub-Terrestrial", 0},
        {Inner, 4, 2, 2, 1, "Base stats: Moderate/Terrestrial", 1},
        {Inner, 5, 2, 1, 1, "Base stats: Moderate/Terrestrial", 1},
        {Inner, 6, 2, 2, 2, "Base stats: Low/Sub-Terrestrial", 2},
        {Habitable, 1, 2, 2, 2, "Base stats: Low/Sub-Terrestrial", 1},
        {Habitable, 2, 3, 3, 0, "Base stats: N/A/Gas Giant", 3},
        {Habitable, 3, 4, 4, 0, "Base stats: N/A/Gas Giant", 4},
        {Habitable, 4, 4, 1, 0, "Base stats: N/A/Gas Giant", 2},
        {Habitable, 4, 4, 4, 0, "Base stats: N/A/Gas Giant", 5},
        {Habitable, 5, 3, 1, 0, "Base stats: N/A/Gas Giant", 1},
        {Habitable, 6, 0, 0, 10, "Base stats: N/A/Asteroid Belt", 0},
        {Outer, 1, 0, 0, 3, "Base stats: Very Low/Hostile", 0},
        {Outer, 2, 2, 2, 0, "Base stats: N/A/Hostile", 1},
        {Outer, 3, 2, 1, 0, "Base stats: N/A/Gas Giant", 1},
        {Outer, 4, 3, 3, 0, "Base stats: N/A/Gas Giant", 3},
        {Outer, 5, 4, 4, 0, "Base stats: N/A/Gas Giant", 4},
        {Outer, 6, 0, 0, 10, "Base stats: N/A/Asteroid Belt", 0},
    };
    for (const Row& row : rows) {
        std::vector<int> faces{row.face};
        Calls calls{kD6};
        if (row.moonDie != 0) {
            faces.push_back(row.moonFace);
            calls.emplace_back(1, row.moonDie);
        }
        if (row.code >= 1 && row.code <= 3) {
            faces.insert(faces.end(), {7, 1, 1});
            calls.insert(calls.end(), {kFlat, kD6, kD6});
        } else if (row.code == 10) {
            faces.push_back(1);
            calls.push_back(kD6);
        }
        for (int moon = 0; moon < row.moons; ++moon) {
            faces.insert(faces.end(), {3, 4});
            calls.insert(calls.end(), {kD6, kD6});
        }
        const ObjectRun run(row.zone, faces);
        const std::string where = std::to_string(row.zone) + "/" + std::to_string(row.face);
        EXPECT_EQ(run.tree.at(run.object).image, ZoneImage(row.zone)) << where;
        EXPECT_EQ(run.Line("Base stats"), row.baseStats) << where;
        std::string moons = "Moons: " + std::to_string(row.moons);
        for (int moon = 0; moon < row.moons; ++moon) {
            moons += moon == 0 ? ": Accessible" : "; Accessible";
        }
        EXPECT_EQ(run.Line("Moons"), moons) << where;
        EXPECT_EQ(run.Line("Special"), "Special: None") << where;
        EXPECT_EQ(run.dice.calls, calls) << where;
    }
}

TEST(MediumObject, ValueTablesOnEveryFlatRoll)
{
    const std::map<std::string, std::pair<int, int>> base{
        // A class-None world is raised to RAW 1 and Capacity 1.
        {"None", {1, 1}}, {"Very Low", {1, 2}}, {"Low", {1, 4}},
        {"Moderate", {2, 4}}, {"High", {3, 6}},  {"Very High", {4, 6}}};
    struct Column {
        const char* type;
        std::vector<int> typeFaces;  // Inner type die, and a moon die of 1 for no moon
        std::vector<std::string> classes;  // on rolls 2 to 12
    };
    const std::vector<Column> columns{
        {"Terrestrial",
         {4, 1},
         {"Low", "Low", "Low", "Low", "Low", "Moderate", "Moderate", "Moderate", "High", "High", "Very High"}},
        {"Sub-Terrestrial",
         {3, 1},
         {"None", "Very Low", "Very Low", "Very Low", "Very Low", "Low", "Low", "Low", "Moderate", "Moderate",
          "Moderate"}},
        {"Hostile",
         {1},
         {"None", "None", "None", "Very Low", "Very Low", "Very Low", "Low", "Low", "Low", "Low", "Moderate"}},
    };
    for (const Column& column : columns) {
        for (int roll = 2; roll <= 12; ++roll) {
            const std::string& name = column.classes[static_cast<std::size_t>(roll - 2)];
            const ObjectRun run(Inner, Join({column.typeFaces, {roll, 1, 1}}));
            EXPECT_EQ(run.Line("Base stats"), "Base stats: " + name + "/" + column.type) << roll;
            EXPECT_EQ(run.Line("Raw"), "Raw: " + std::to_string(base.at(name).first)) << column.type << roll;
            EXPECT_EQ(run.Line("Capacity"), "Capacity: " + std::to_string(base.at(name).second))
                << column.type << roll;
        }
    }
}

TEST(MediumObject, SpecialsReachablePerTypeCodeAndTheirEffects)
{
    struct Special {
        std::string text;
        int raw;
        int capacity;
    };
    // Every world here is Moderate: RAW 2, Capacity 4 before its special.
    const std::map<int, Special> byTotal{{7, {"Special: Rich in Rare Metals (+1 RAW)", 3, 4}},
                                         {8, {"Special: Fair Biosphere (+1 Capacity)", 2, 5}},
                                         {9, {"Special: Ruins of Ancient Civilization", 2, 4}},
                                         {10, {"Special: Ideal biosphere (+2 Capacity)", 2, 6}},
                                         {11, {"Special: Primitive society", 2, 4}}};
    const Special none{"Special: None", 2, 4};
    struct World {
        int code;
        std::vector<int> typeAndValue;
        std::set<std::string> reachable;
    };
    const std::vector<World> worlds{
        {1,
         {4, 1, 7},
         {"Special: None", "Special: Rich in Rare Metals (+1 RAW)", "Special: Fair Biosphere (+1 Capacity)",
          "Special: Ruins of Ancient Civilization", "Special: Ideal biosphere (+2 Capacity)",
          "Special: Primitive society"}},
        {2,
         {3, 1, 10},
         {"Special: None", "Special: Rich in Rare Metals (+1 RAW)", "Special: Fair Biosphere (+1 Capacity)",
          "Special: Ruins of Ancient Civilization", "Special: Ideal biosphere (+2 Capacity)"}},
        {3,
         {1, 12},
         {"Special: None", "Special: Rich in Rare Metals (+1 RAW)", "Special: Fair Biosphere (+1 Capacity)",
          "Special: Ruins of Ancient Civilization"}},
    };
    for (const World& world : worlds) {
        std::set<std::string> reached;
        for (int total = 2; total <= 12; ++total) {
            const ObjectRun run(Inner, Join({world.typeAndValue, TwoDice(total)}));
            const auto row = byTotal.find(total - world.code);
            const Special& expected = row == byTotal.end() ? none : row->second;
            EXPECT_EQ(run.Line("Special"), expected.text) << world.code << "/" << total;
            EXPECT_EQ(run.Line("Raw"), "Raw: " + std::to_string(expected.raw)) << world.code << "/" << total;
            EXPECT_EQ(run.Line("Capacity"), "Capacity: " + std::to_string(expected.capacity))
                << world.code << "/" << total;
            reached.insert(run.Line("Special"));
        }
        EXPECT_EQ(reached, world.reachable) << world.code;
    }
}

TEST(MediumObject, MoonTextsEffectsAndTheTrim)
{
    // A Moderate Terrestrial (RAW 2, Capacity 4), no special, one moon on each total.
    const std::vector<std::tuple<int, std::string, int, int>> moons{
        {2, "Moon causes severe tidal forces", 2, 3},
        {3, "Inaccessible", 2, 4},
        {4, "Inaccessible", 2, 4},
        {5, "Accessible", 2, 5},
        {7, "Accessible", 2, 5},
        {8, "Accessible w/ resources", 3, 5},
        {9, "Favorable put poor", 2, 6},
        {10, "Favorable w/ resources", 3, 6},
        {11, "Favorable w/ rich resources", 4, 6},
        {12, "Near ideal", 4, 7},
    };
    for (const auto& [total, text, raw, capacity] : moons) {
        const ObjectRun run(Inner, Join({{5, 1, 7, 1, 1}, TwoDice(total)}));
        EXPECT_EQ(run.Line("Raw"), "Raw: " + std::to_string(raw)) << total;
        EXPECT_EQ(run.Line("Capacity"), "Capacity: " + std::to_string(capacity)) << total;
        EXPECT_EQ(run.Line("Moons"), "Moons: 1: " + text) << total;
    }
    const ObjectRun two(Inner, Join({{5, 2, 7, 1, 1}, TwoDice(3), TwoDice(12)}), true, true);
    EXPECT_EQ(two.Line("Moons"), "Moons: 2: Inaccessible; Near ideal");
    EXPECT_EQ(two.text, "1.1,Terrestrial,Moderate,7,3,2,2,4,Special: None,2: Inaccessible; Near ideal\n");
}

TEST(MediumObject, ClampRaisesGasGiantsBeltsAndClassNoneWorldsToOne)
{
    const std::vector<std::string> clamped{"Raw: 1", "Capacity: 1", "Census: 0", "Morale: 1", "Productivity: 1"};

    // A gas giant whose one moon is Inaccessible.
    const ObjectRun giant(Habitable, Join({{5, 1}, TwoDice(3)}));
    EXPECT_EQ(giant.Stats(), clamped);
    EXPECT_EQ(giant.Line("Base stats"), "Base stats: N/A/Gas Giant");

    // Asteroid belts, whatever their RAW die; no moons, so 0 in both report cells.
    for (const OrbitZone zone : {Habitable, Outer}) {
        for (const int rawDie : {1, 6}) {
            const ObjectRun belt(zone, {6, rawDie}, true, true);
            EXPECT_EQ(belt.Stats(), clamped);
            EXPECT_EQ(belt.Line("Moons"), "Moons: 0");
            EXPECT_EQ(belt.dice.calls, (Calls{kD6, kD6}));
            EXPECT_EQ(belt.text, "1.1,Asteroid Belt,N/A,1,0,1,1,1,Special: None,0\n");
            const std::string colour = ZoneColour(zone);
            EXPECT_NE(belt.html.find("<td><font color=\"#" + colour + "\">0</font></td>\t</tr>\n"),
                      std::string::npos);
        }
    }

    // Class None: a Sub-Terrestrial on a value roll of 2, no special, no moon.
    const ObjectRun none(Inner, {3, 1, 2, 1, 1});
    EXPECT_EQ(none.Line("Base stats"), "Base stats: None/Sub-Terrestrial");
    EXPECT_EQ(none.Stats(), clamped);

    // The Outer Hostile without a value class draws neither value nor special dice.
    const ObjectRun hostile(Outer, {2, 1});
    EXPECT_EQ(hostile.Line("Base stats"), "Base stats: N/A/Hostile");
    EXPECT_EQ(hostile.Line("Special"), "Special: None");
    EXPECT_EQ(hostile.Stats(), clamped);
    EXPECT_EQ(hostile.dice.calls, (Calls{kD6, kD2}));
}

TEST(MediumObject, TidalMoonsTakeCapacityBelowZeroAndTheClampComesAfterTheLastMoon)
{
    // Habitable gas giant with Roll(1, 4) + 1 = 5 moons, every one tidal: Capacity -5.
    const ObjectRun five(Habitable, Join({{4, 4}, TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(2)}), true,
                         true);
    std::string longest = "5: ";
    for (int moon = 0; moon < 5; ++moon) {
        longest += "Moon causes severe tidal forces; ";
    }
    longest.resize(longest.size() - 2);
    ASSERT_EQ(longest.size(), 166u);
    EXPECT_EQ(five.Line("Moons"), "Moons: " + longest);
    EXPECT_EQ(five.Line("Capacity"), "Capacity: 1");
    EXPECT_EQ(five.text, "1.1,Gas Giant,N/A,1,0,1,1,1,Special: None," + longest + "\n");
    EXPECT_NE(five.html.find("<td><font color=\"#009900\">" + longest + "</font></td>\t</tr>\n"), std::string::npos);

    // Three tidal moons then a rich one: -3 + 2 stays below 1, while a clamp
    // after every moon would have shown Capacity 3.
    const ObjectRun late(Habitable, Join({{3, 4}, TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(11)}));
    EXPECT_EQ(late.Line("Capacity"), "Capacity: 1");
    EXPECT_EQ(late.Line("Raw"), "Raw: 2");
}

TEST(MediumObject, CensusFollowsTheFinalCapacity)
{
    struct Case {
        int capacity;
        OrbitZone zone;
        std::vector<int> faces;
        std::vector<std::string> census;
    };
    const std::vector<Case> cases{
        // Gas giant with an Inaccessible moon, raised to 1.
        {1, Habitable, Join({{5, 1}, TwoDice(3)}), {"Census: 0", "Morale: 1", "Productivity: 1"}},
        // Very Low Hostile.
        {2, Inner, {1, 5, 1, 1}, {"Census: 1", "Morale: 1", "Productivity: 1"}},
        // Very Low Hostile with Fair Biosphere (11 - 3).
        {3, Inner, Join({{1, 5}, TwoDice(11)}), {"Census: 1", "Morale: 1", "Productivity: 1"}},
        // High Terrestrial.
        {6, Inner, {4, 1, 10, 1, 1}, {"Census: 3", "Morale: 2", "Productivity: 2"}},
        // High Terrestrial with Ideal biosphere (11 - 1).
        {8, Inner, Join({{4, 1, 10}, TwoDice(11)}), {"Census: 4", "Morale: 3", "Productivity: 3"}},
    };
    for (const Case& c : cases) {
        const ObjectRun run(c.zone, c.faces);
        EXPECT_EQ(run.Line("Capacity"), "Capacity: " + std::to_string(c.capacity));
        EXPECT_EQ((std::vector<std::string>{run.Line("Census"), run.Line("Morale"), run.Line("Productivity")}),
                  c.census)
            << c.capacity;
    }
}

}  // namespace
}  // namespace nexmar
