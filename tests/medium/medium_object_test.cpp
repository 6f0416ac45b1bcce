#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "gen/medium/medium_object.h"
#include "report/report_writer.h"
#include "run/tree_renderer.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using enum OrbitZone;
using testing::ReadFile;
using testing::RecordingNotifier;
using testing::ScriptedDice;
using testing::TempDir;
using Calls = std::vector<std::pair<int, int>>;

constexpr std::pair<int, int> kD6{1, 6};

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

// Object 2.1 generated from the faces given; its report rows are read back
// when the reports are opened.
struct ObjectRun {
    ObjectRun(OrbitZone zone, std::vector<int> faces, bool census = true, bool withReports = false)
        : dice(std::move(faces)), reports(dir.path())
    {
        RecordingNotifier notifier;
        if (withReports) {
            EXPECT_TRUE(writer.OpenReports(notifier));
        }
        const ItemId system = tree.Insert(kNoItem, "System 2", TreeImage::System, Placement::Last);
        const MediumObject record = GenerateMediumObject(dice, zone, census);
        RenderMediumObject(tree, system, 2, 1, record);
        writer.WriteMediumObjectRow(2, 1, record);
        EXPECT_TRUE(dice.AllUsed());
        object = tree.Children(system).at(0);
        for (const ItemId line : tree.Children(object)) {
            shown.push_back(tree.at(line).text);
            EXPECT_EQ(tree.at(line).image, TreeImage::Blank);
        }
        if (withReports) {
            EXPECT_TRUE(writer.CloseReports(notifier));
            text = ReadFile(dir.path() / kTextReportName);
            html = ReadFile(dir.path() / kHtmlReportName);
        }
    }

    // The shown line that begins with prefix.
    std::string Line(const std::string& prefix) const
    {
        const auto line = std::find_if(shown.begin(), shown.end(),
                                       [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
        return line == shown.end() ? "(no " + prefix + ")" : *line;
    }

    std::string Stats() const
    {
        return Line("Raw") + ", " + Line("Capacity") + ", " + Line("Census") + ", " + Line("Morale") + ", " +
               Line("Productivity");
    }

    TempDir dir;
    ScriptedDice dice;
    ResultTree tree;
    ReportFiles reports;
    ReportWriter writer{reports};
    ItemId object = kNoItem;
    std::vector<std::string> shown;
    std::string text;
    std::string html;
};

TEST(MediumObject, CensusAddsThreeLinesAndFillsTheReportsCensusColumns)
{
    // Inner Terrestrial with one moon, Moderate, Fair Biosphere, a moon Favorable w/ resources.
    const std::vector<int> faces{4, 2, 8, 5, 4, 6, 4};
    const ObjectRun on(Inner, faces, true, true);
    EXPECT_EQ(on.tree.at(on.object).text, "Object 2.1");
    EXPECT_EQ(on.tree.at(on.object).image, TreeImage::RedObject);
    std::vector<ItemId> added = on.tree.Children(on.object);
    std::sort(added.begin(), added.end());  // ids grow with each insertion
    std::vector<std::string> addedTexts;
    for (const ItemId line : added) {
        addedTexts.push_back(on.tree.at(line).text);
    }
    EXPECT_EQ(addedTexts, (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Raw: 3", "Capacity: 7",
                                                    "Special: Fair Biosphere (+1 Capacity)",
                                                    "Moons: 1: Favorable w/ resources", "Census: 3", "Morale: 2",
                                                    "Productivity: 2"}));
    EXPECT_EQ(on.shown, (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Capacity: 7", "Census: 3",
                                                  "Moons: 1: Favorable w/ resources", "Morale: 2", "Productivity: 2",
                                                  "Raw: 3", "Special: Fair Biosphere (+1 Capacity)"}));
    EXPECT_EQ(on.text,
              "2.1,Terrestrial,Moderate,7,3,2,2,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n");
    EXPECT_EQ(on.html,
              "<html><body>\n\t<tr>\n"
              "\t\t<td><font color=\"#FF0000\">2.1</font></td><td><font color=\"#FF0000\">Terrestrial</font></td>"
              "<td><font color=\"#FF0000\">Moderate</font></td><td><font color=\"#FF0000\">7</font></td>"
              "<td><font color=\"#FF0000\">3</font></td><td><font color=\"#FF0000\">2</font></td>"
              "<td><font color=\"#FF0000\">2</font></td><td><font color=\"#FF0000\">3</font></td>"
              "<td><font color=\"#FF0000\">Special: Fair Biosphere (+1 Capacity)</font></td>"
              "<td><font color=\"#FF0000\">1: Favorable w/ resources</font></td>\t</tr>\n</body></html>\n");
    // Type, moon count, value, two special dice, two dice for the moon.
    EXPECT_EQ(on.dice.calls, (Calls{kD6, {1, 2}, {2, 12}, kD6, kD6, kD6, kD6}));

    const ObjectRun off(Inner, faces, false, true);
    EXPECT_EQ(off.shown, (std::vector<std::string>{"Base stats: Moderate/Terrestrial", "Capacity: 7",
                                                   "Moons: 1: Favorable w/ resources", "Raw: 3",
                                                   "Special: Fair Biosphere (+1 Capacity)"}));
    EXPECT_EQ(off.text,
              "2.1,Terrestrial,Moderate,7,0,0,0,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n");
    EXPECT_NE(off.html.find("\">7</font></td><td><font color=\"#FF0000\">0</font></td><td><font color=\"#FF0000\">0"
                            "</font></td><td><font color=\"#FF0000\">0</font></td><td><font color=\"#FF0000\">3<"),
              std::string::npos);
}

TEST(MediumObject, EveryTypeRowWithItsMoonDie)
{
    struct Row {
        OrbitZone zone;
        int face;
        int moonDie;  // 0: none
        int moonFace;
        int code;
        const char* baseStats;
        int moons;
    };
    // Value roll 7 where there is one, special dice 1 + 1, every moon 3 + 4 (Accessible).
    const std::vector<Row> rows{
        {Inner, 1, 0, 0, 3, "Very Low/Hostile", 0},     {Inner, 2, 2, 2, 3, "Very Low/Hostile", 1},
        {Inner, 3, 2, 1, 2, "Low/Sub-Terrestrial", 0},  {Inner, 4, 2, 2, 1, "Moderate/Terrestrial", 1},
        {Inner, 5, 2, 1, 1, "Moderate/Terrestrial", 1}, {Inner, 6, 2, 2, 2, "Low/Sub-Terrestrial", 2},
        {Habitable, 1, 2, 2, 2, "Low/Sub-Terrestrial", 1}, {Habitable, 2, 3, 3, 0, "N/A/Gas Giant", 3},
        {Habitable, 3, 4, 4, 0, "N/A/Gas Giant", 4},    {Habitable, 4, 4, 1, 0, "N/A/Gas Giant", 2},
        {Habitable, 4, 4, 4, 0, "N/A/Gas Giant", 5},    {Habitable, 5, 3, 1, 0, "N/A/Gas Giant", 1},
        {Habitable, 6, 0, 0, 10, "N/A/Asteroid Belt", 0}, {Outer, 1, 0, 0, 3, "Very Low/Hostile", 0},
        {Outer, 2, 2, 2, 0, "N/A/Hostile", 1},          {Outer, 3, 2, 1, 0, "N/A/Gas Giant", 1},
        {Outer, 4, 3, 3, 0, "N/A/Gas Giant", 3},        {Outer, 5, 4, 4, 0, "N/A/Gas Giant", 4},
        {Outer, 6, 0, 0, 10, "N/A/Asteroid Belt", 0},
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
            calls.insert(calls.end(), {{2, 12}, kD6, kD6});
        } else if (row.code == 10) {
            faces.push_back(1);
            calls.push_back(kD6);
        }
        std::string moons = "Moons: " + std::to_string(row.moons);
        for (int moon = 0; moon < row.moons; ++moon) {
            faces.insert(faces.end(), {3, 4});
            calls.insert(calls.end(), {kD6, kD6});
            moons += moon == 0 ? ": Accessible" : "; Accessible";
        }
        const ObjectRun run(row.zone, faces);
        const std::string where = std::string(OrbitZoneName(row.zone)) + "/" + std::to_string(row.face);
        EXPECT_EQ(run.tree.at(run.object).image, ZoneImage(row.zone)) << where;
        EXPECT_EQ(run.Line("Base stats"), std::string("Base stats: ") + row.baseStats) << where;
        EXPECT_EQ(run.Line("Moons"), moons) << where;
        EXPECT_EQ(run.Line("Special"), "Special: None") << where;
        EXPECT_EQ(run.dice.calls, calls) << where;
    }
}

TEST(MediumObject, ValueTablesOnEveryFlatRoll)
{
    // RAW and Capacity of each class; class None is raised to 1 and 1.
    const std::map<std::string, std::string> base{
        {"None", "Raw: 1 Capacity: 1"},     {"Very Low", "Raw: 1 Capacity: 2"}, {"Low", "Raw: 1 Capacity: 4"},
        {"Moderate", "Raw: 2 Capacity: 4"}, {"High", "Raw: 3 Capacity: 6"},     {"Very High", "Raw: 4 Capacity: 6"}};
    struct Column {
        const char* type;
        std::vector<int> typeFaces;        // Inner type die, and a moon die of 1 for no moon
        std::vector<std::string> classes;  // on rolls 2 to 12
    };
    const std::vector<Column> columns{
        {"Terrestrial", {4, 1},
         {"Low", "Low", "Low", "Low", "Low", "Moderate", "Moderate", "Moderate", "High", "High", "Very High"}},
        {"Sub-Terrestrial", {3, 1},
         {"None", "Very Low", "Very Low", "Very Low", "Very Low", "Low", "Low", "Low", "Moderate", "Moderate",
          "Moderate"}},
        {"Hostile", {1},
         {"None", "None", "None", "Very Low", "Very Low", "Very Low", "Low", "Low", "Low", "Low", "Moderate"}},
    };
    for (const Column& column : columns) {
        for (int roll = 2; roll <= 12; ++roll) {
            const std::string& name = column.classes[static_cast<std::size_t>(roll - 2)];
            const ObjectRun run(Inner, Join({column.typeFaces, {roll, 1, 1}}));
            EXPECT_EQ(run.Line("Base stats"), "Base stats: " + name + "/" + column.type) << roll;
            EXPECT_EQ(run.Line("Raw") + " " + run.Line("Capacity"), base.at(name)) << column.type << roll;
        }
    }
}

TEST(MediumObject, SpecialsReachablePerTypeCodeAndTheirEffects)
{
    // Every world here is Moderate (RAW 2, Capacity 4) before its special.
    const std::map<int, std::pair<std::string, std::string>> byTotal{
        {7, {"Special: Rich in Rare Metals (+1 RAW)", "Raw: 3 Capacity: 4"}},
        {8, {"Special: Fair Biosphere (+1 Capacity)", "Raw: 2 Capacity: 5"}},
        {9, {"Special: Ruins of Ancient Civilization", "Raw: 2 Capacity: 4"}},
        {10, {"Special: Ideal biosphere (+2 Capacity)", "Raw: 2 Capacity: 6"}},
        {11, {"Special: Primitive society", "Raw: 2 Capacity: 4"}}};
    const std::pair<std::string, std::string> none{"Special: None", "Raw: 2 Capacity: 4"};
    struct World {
        int code;
        std::vector<int> typeAndValue;
        std::set<int> reachable;  // totals of the special table
    };
    const std::vector<World> worlds{{1, {4, 1, 7}, {7, 8, 9, 10, 11}}, {2, {3, 1, 10}, {7, 8, 9, 10}},
                                    {3, {1, 12}, {7, 8, 9}}};
    for (const World& world : worlds) {
        std::set<int> reached;
        for (int total = 2; total <= 12; ++total) {
            const ObjectRun run(Inner, Join({world.typeAndValue, TwoDice(total)}));
            const auto row = byTotal.find(total - world.code);
            const auto& [special, stats] = row == byTotal.end() ? none : row->second;
            EXPECT_EQ(run.Line("Special"), special) << world.code << "/" << total;
            EXPECT_EQ(run.Line("Raw") + " " + run.Line("Capacity"), stats) << world.code << "/" << total;
            if (row != byTotal.end()) {
                reached.insert(row->first);
            }
        }
        EXPECT_EQ(reached, world.reachable) << world.code;
    }
}

TEST(MediumObject, MoonTextsEffectsAndTheTrim)
{
    // A Moderate Terrestrial (RAW 2, Capacity 4) without special, one moon on each total.
    const std::vector<std::pair<int, std::string>> moons{
        {2, "Moon causes severe tidal forces Raw: 2 Capacity: 3"}, {3, "Inaccessible Raw: 2 Capacity: 4"},
        {4, "Inaccessible Raw: 2 Capacity: 4"},           {5, "Accessible Raw: 2 Capacity: 5"},
        {7, "Accessible Raw: 2 Capacity: 5"},             {8, "Accessible w/ resources Raw: 3 Capacity: 5"},
        {9, "Favorable put poor Raw: 2 Capacity: 6"},     {10, "Favorable w/ resources Raw: 3 Capacity: 6"},
        {11, "Favorable w/ rich resources Raw: 4 Capacity: 6"}, {12, "Near ideal Raw: 4 Capacity: 7"},
    };
    for (const auto& [total, expected] : moons) {
        const ObjectRun run(Inner, Join({{5, 1, 7, 1, 1}, TwoDice(total)}));
        EXPECT_EQ(run.Line("Moons") + " " + run.Line("Raw") + " " + run.Line("Capacity"), "Moons: 1: " + expected);
    }
    const ObjectRun two(Inner, Join({{5, 2, 7, 1, 1}, TwoDice(3), TwoDice(12)}), true, true);
    EXPECT_EQ(two.text, "2.1,Terrestrial,Moderate,7,3,2,2,4,Special: None,2: Inaccessible; Near ideal\n");
}

TEST(MediumObject, ClampRaisesGasGiantsBeltsAndClassNoneWorldsToOne)
{
    const std::string clamped = "Raw: 1, Capacity: 1, Census: 0, Morale: 1, Productivity: 1";
    // A gas giant whose one moon is Inaccessible.
    const ObjectRun giant(Habitable, Join({{5, 1}, TwoDice(3)}));
    EXPECT_EQ(giant.Stats(), clamped);

    // Asteroid belts, whatever their RAW die; no moons, so 0 in both report cells.
    for (const OrbitZone zone : {Habitable, Outer}) {
        for (const int rawDie : {1, 6}) {
            const ObjectRun belt(zone, {6, rawDie}, true, true);
            EXPECT_EQ(belt.Stats(), clamped);
            EXPECT_EQ(belt.text, "2.1,Asteroid Belt,N/A,1,0,1,1,1,Special: None,0\n");
            const std::string colour = zone == Habitable ? "#009900" : "#0000FF";
            EXPECT_NE(belt.html.find(colour + "\">0</font></td>\t</tr>\n"),
                      std::string::npos);
        }
    }

    // Class None: a Sub-Terrestrial on a value roll of 2, no special, no moon.
    const ObjectRun none(Inner, {3, 1, 2, 1, 1});
    EXPECT_EQ(none.Line("Base stats"), "Base stats: None/Sub-Terrestrial");
    EXPECT_EQ(none.Stats(), clamped);

    // The Outer Hostile without a value class.
    const ObjectRun hostile(Outer, {2, 1});
    EXPECT_EQ(hostile.Line("Base stats") + ", " + hostile.Line("Special"), "Base stats: N/A/Hostile, Special: None");
    EXPECT_EQ(hostile.Stats(), clamped);
}

TEST(MediumObject, TidalMoonsTakeCapacityBelowZeroAndTheLongestMoonsTextComesOutWhole)
{
    // A Habitable gas giant with Roll(1, 4) + 1 = 5 moons, every one tidal: Capacity -5.
    const ObjectRun five(Habitable, Join({{4, 4}, TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(2)}),
                         true, true);
    std::string longest = "5: ";
    for (int moon = 0; moon < 5; ++moon) {
        longest += "Moon causes severe tidal forces; ";
    }
    longest.resize(longest.size() - 2);
    ASSERT_EQ(longest.size(), 166u);
    EXPECT_EQ(five.Line("Moons"), "Moons: " + longest);
    EXPECT_EQ(five.text, "2.1,Gas Giant,N/A,1,0,1,1,1,Special: None," + longest + "\n");
    EXPECT_NE(five.html.find("<td><font color=\"#009900\">" + longest + "</font></td>\t</tr>\n"), std::string::npos);

    // Three tidal moons then a rich one: -3 + 2 is still below 1; a clamp
    // after every moon would have shown Capacity 3.
    const ObjectRun late(Habitable, Join({{3, 4}, TwoDice(2), TwoDice(2), TwoDice(2), TwoDice(11)}));
    EXPECT_EQ(late.Line("Raw") + " " + late.Line("Capacity"), "Raw: 2 Capacity: 1");
}

TEST(MediumObject, CensusFollowsTheFinalCapacity)
{
    const std::vector<std::tuple<OrbitZone, std::vector<int>, std::string>> cases{
        // Gas giant with an Inaccessible moon, raised to Capacity 1.
        {Habitable, Join({{5, 1}, TwoDice(3)}), "Raw: 1, Capacity: 1, Census: 0, Morale: 1, Productivity: 1"},
        // Very Low Hostile.
        {Inner, {1, 5, 1, 1}, "Raw: 1, Capacity: 2, Census: 1, Morale: 1, Productivity: 1"},
        // Very Low Hostile with Fair Biosphere (11 - 3).
        {Inner, Join({{1, 5}, TwoDice(11)}), "Raw: 1, Capacity: 3, Census: 1, Morale: 1, Productivity: 1"},
        // High Terrestrial.
        {Inner, {4, 1, 10, 1, 1}, "Raw: 3, Capacity: 6, Census: 3, Morale: 2, Productivity: 2"},
        // High Terrestrial with Ideal biosphere (11 - 1).
        {Inner, Join({{4, 1, 10}, TwoDice(11)}), "Raw: 3, Capacity: 8, Census: 4, Morale: 3, Productivity: 3"},
    };
    for (const auto& [zone, faces, stats] : cases) {
        EXPECT_EQ(ObjectRun(zone, faces).Stats(), stats);
    }
}

}  // namespace
}  // namespace nexmar
