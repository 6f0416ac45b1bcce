#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "gen/medium/medium_system.h"
#include "run/generation_run.h"
#include "run/tree_renderer.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::RunScripted;
using testing::ScriptedDice;
using testing::ScriptedRun;
using testing::TempDir;
using Calls = std::vector<std::pair<int, int>>;

// Faces for the objects of a layout given as zone letters: an Inner object is
// a Hostile without moons (type, value, two special dice), any other an
// asteroid belt (type, RAW die).
std::vector<int> ObjectFaces(const std::string& zones)
{
    std::vector<int> faces;
    for (const char zone : zones) {
        if (zone == 'I') {
            faces.insert(faces.end(), {1, 7, 1, 1});
        } else {
            faces.insert(faces.end(), {6, 1});
        }
    }
    return faces;
}

// The objects of system index 4 on the two layout dice given, as zone
// letters by their images, after checking that the labels run 5.1, 5.2, ...
std::string LayoutZones(int first, int second, const std::string& zones, Calls* calls = nullptr)
{
    std::vector<int> faces{first, second};
    const std::vector<int> objects = ObjectFaces(zones);
    faces.insert(faces.end(), objects.begin(), objects.end());
    ScriptedDice dice(faces);
    ResultTree tree;
    const ItemId system = tree.Insert(kNoItem, "System 5", TreeImage::System, Placement::Last);
    RenderMediumSystem(tree, system, 5, GenerateMediumSystem(dice, false));
    EXPECT_TRUE(dice.AllUsed()) << first << "+" << second;
    if (calls != nullptr) {
        *calls = dice.calls;
    }
    std::string shown;
    for (const ItemId child : tree.Children(system)) {
        const ResultTree::Item& object = tree.at(child);
        EXPECT_EQ(object.text, "Object 5." + std::to_string(shown.size() + 1));
        shown += object.image == TreeImage::RedObject ? 'I' : object.image == TreeImage::GreenObject ? 'H' : 'O';
    }
    return shown;
}

TEST(MediumSystem, LayoutShapesNumberSlotsInZoneOrder)
{
    const std::vector<std::tuple<int, int, std::string>> layouts{
        {1, 1, "I"},          {1, 2, "IH"},         {2, 2, "IHO"},       {1, 4, "IIHO"},
        {3, 4, "IIHHOO"},     {4, 4, "IIHHOO"},     {6, 5, "IIIHHHOOO"}, {6, 6, "IIIIHHHOOO"},
    };
    for (const auto& [first, second, zones] : layouts) {
        EXPECT_EQ(LayoutZones(first, second, zones), zones) << first + second;
    }
}

TEST(MediumSystem, LayoutDiceComeFirstThenEachObjectsDiceInSlotOrder)
{
    Calls calls;
    LayoutZones(2, 2, "IHO", &calls);
    const std::pair<int, int> d6{1, 6};
    EXPECT_EQ(calls, (Calls{d6, d6, d6, {2, 12}, d6, d6, d6, d6, d6, d6}));
}

// Two systems: System 1 on a layout total of 2 holds the census test's
// Terrestrial with one moon; System 2 on 3 holds a class-None Hostile and a belt.
ScriptedRun RunTwoSystems(bool census)
{
    return RunScripted({{2, DetailLevel::Medium, census}}, {1, 1, 4, 2, 8, 5, 4, 6, 4, 1, 2, 1, 2, 1, 1, 6, 6});
}

TEST(MediumReports, TextBytesCensusOnAndOff)
{
    const std::string header = "Object,Type,Value,Capacity,Census,Morale,Productivity,RAW,Special,Moons\n";
    EXPECT_EQ(RunTwoSystems(true).text,
              "System 1\n" + header +
                  "1.1,Terrestrial,Moderate,7,3,2,2,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n"
                  "\n"
                  "System 2\n" +
                  header +
                  "2.1,Hostile,None,1,0,1,1,1,Special: None,0\n"
                  "2.2,Asteroid Belt,N/A,1,0,1,1,1,Special: None,0\n"
                  "\n");
    EXPECT_EQ(RunTwoSystems(false).text,
              "System 1\n" + header +
                  "1.1,Terrestrial,Moderate,7,0,0,0,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n"
                  "\n"
                  "System 2\n" +
                  header +
                  "2.1,Hostile,None,1,0,0,0,1,Special: None,0\n"
                  "2.2,Asteroid Belt,N/A,1,0,0,0,1,Special: None,0\n"
                  "\n");
}

// One HTML row in the colour given, its ten cells separated by "|".
std::string Row(const std::string& colour, const std::string& cells)
{
    std::string row = "\t<tr>\n\t\t";
    std::istringstream in(cells);
    for (std::string cell; std::getline(in, cell, '|');) {
        row += "<td><font color=\"#" + colour + "\">" + cell + "</font></td>";
    }
    return row + "\t</tr>\n";
}

TEST(MediumReports, HtmlBytesCensusOnAndOff)
{
    const std::string table =
        "<table cellpadding=\"1\" border=\"1\">\n"
        "\t<th>Object</th><th>Type</th><th>Value</th><th>Capacity</th><th>Census</th><th>Morale</th>"
        "<th>Productivity</th><th>RAW</th><th>Special</th><th>Moons</th>\n";
    // Census, Morale and Productivity of the first system's object and of the second system's objects.
    const auto page = [&](const std::string& first, const std::string& second) {
        return "<html><body>\n<p><font size=\"4\">System 1</font>\n" + table +
               Row("FF0000", "1.1|Terrestrial|Moderate|7|" + first +
                                 "|3|Special: Fair Biosphere (+1 Capacity)|1: Favorable w/ resources") +
               "</table>\n<p><font size=\"4\">System 2</font>\n" + table +
               Row("FF0000", "2.1|Hostile|None|1|" + second + "|1|Special: None|0") +
               Row("009900", "2.2|Asteroid Belt|N/A|1|" + second + "|1|Special: None|0") +
               "</table>\n</body></html>\n";
    };
    EXPECT_EQ(RunTwoSystems(true).html, page("3|2|2", "0|1|1"));
    EXPECT_EQ(RunTwoSystems(false).html, page("0|0|0", "0|0|0"));
}

TEST(MediumReports, EveryTextRowOfASeededRunHasTenUnquotedFields)
{
    TempDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    ASSERT_TRUE(RunGeneration({{200, DetailLevel::Medium, true}}, dice, tree, reports, notifier).reportsComplete);
    std::size_t objects = 0;
    for (const ItemId system : tree.Children(tree.Children(kNoItem).front())) {
        objects += tree.Children(system).size();
    }
    std::istringstream text(ReadFile(dir.path() / kTextReportName));
    std::size_t rows = 0;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.rfind("System ", 0) != 0) {
            EXPECT_EQ(std::count(line.begin(), line.end(), ','), 9) << line;
            EXPECT_EQ(line.find('"'), std::string::npos) << line;
            ++rows;
        }
    }
    EXPECT_EQ(rows, objects + 200);  // and a header per system
}

}  // namespace
}  // namespace nexmar
