#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/generation_run.h"
#include "gen/medium/medium_system.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::ScriptedDice;
using testing::TempDir;
using Calls = std::vector<std::pair<int, int>>;

// Faces for the objects of a layout given as zone letters: an Inner object is
// a Hostile without moons (type, value, two special dice), a Habitable or
// Outer one an asteroid belt (type, RAW die).
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

struct Object {
    std::string label;
    int image;
    bool operator==(const Object&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Object& object)
{
    return out << object.label << " [" << object.image << "]";
}

// The objects of system index 4 on the two layout dice given.
std::vector<Object> LayoutObjects(int first, int second, const std::string& zones, Calls* calls = nullptr)
{
    std::vector<int> faces{first, second};
    const std::vector<int> objects = ObjectFaces(zones);
    faces.insert(faces.end(), objects.begin(), objects.end());
    ScriptedDice dice(faces);
    ResultTree tree;
    ReportFiles reports("", "");
    const ItemId system = tree.Insert(kNoItem, "System 5", ImgSystem, Placement::Last);
    GenContext context{dice, tree, reports, false};
    GenerateMediumSystem(context, 4, system);
    EXPECT_TRUE(dice.AllUsed()) << first << "+" << second;
    if (calls != nullptr) {
        *calls = dice.calls;
    }
    std::vector<Object> result;
    for (const ItemId child : tree.Children(system)) {
        result.push_back({tree.at(child).text, tree.at(child).image});
    }
    return result;
}

std::vector<Object> Expected(const std::string& zones)
{
    std::vector<Object> objects;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const int image = zones[i] == 'I' ? ImgRedObject : zones[i] == 'H' ? ImgGreenObject : ImgBlueObject;
        objects.push_back({"Object 5." + std::to_string(i + 1), image});
    }
    return objects;
}

TEST(MediumSystem, LayoutShapesNumberSlotsInZoneOrder)
{
    const std::vector<std::tuple<int, int, std::string>> layouts{
        {1, 1, "I"},           // 2
        {1, 2, "IH"},          // 3
        {2, 2, "IHO"},         // 4
        {1, 4, "IIHO"},        // 5
        {3, 4, "IIHHOO"},      // 7
        {4, 4, "IIHHOO"},      // 8
        {6, 5, "IIIHHHOOO"},   // 11
        {6, 6, "IIIIHHHOOO"},  // 12
    };
    for (const auto& [first, second, zones] : layouts) {
        EXPECT_EQ(LayoutObjects(first, second, zones), Expected(zones)) << first + second;
    }
}

TEST(MediumSystem, LayoutDiceComeFirstThenEachObjectsDiceInSlotOrder)
{
    Calls calls;
    LayoutObjects(2, 2, "IHO", &calls);
    const std::pair<int, int> d6{1, 6};
    EXPECT_EQ(calls, (Calls{d6, d6, d6, {2, 12}, d6, d6, d6, d6, d6, d6}));
}

// Two systems: System 1 on a layout total of 2 holds the Terrestrial of the
// worked example; System 2 on 3 holds a class-None Hostile and a belt.
std::string RunReports(bool census, const char* name)
{
    TempDir dir;
    ScriptedDice dice({1, 1, 4, 2, 8, 5, 4, 6, 4, 1, 2, 1, 2, 1, 1, 6, 6});
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    EXPECT_TRUE(RunGeneration({2, DetailLevel::Medium, census}, dice, tree, reports, notifier).reportsComplete);
    EXPECT_TRUE(dice.AllUsed());
    return ReadFile(dir.path() / name);
}

TEST(MediumReports, TextBytesCensusOnAndOff)
{
    const std::string header = "Object,Type,Value,Capacity,Census,Morale,Productivity,RAW,Special,Moons\n";
    EXPECT_EQ(RunReports(true, kTextReportName),
              "System 1\n" + header +
                  "1.1,Terrestrial,Moderate,7,3,2,2,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n"
                  "\n"
                  "System 2\n" +
                  header +
                  "2.1,Hostile,None,1,0,1,1,1,Special: None,0\n"
                  "2.2,Asteroid Belt,N/A,1,0,1,1,1,Special: None,0\n"
                  "\n");
    EXPECT_EQ(RunReports(false, kTextReportName),
              "System 1\n" + header +
                  "1.1,Terrestrial,Moderate,7,0,0,0,3,Special: Fair Biosphere (+1 Capacity),1: Favorable w/ resources\n"
                  "\n"
                  "System 2\n" +
                  header +
                  "2.1,Hostile,None,1,0,0,0,1,Special: None,0\n"
                  "2.2,Asteroid Belt,N/A,1,0,0,0,1,Special: None,0\n"
                  "\n");
}

// One HTML row of ten cells in the colour given.
std::string Row(const std::string& colour, const std::vector<std::string>& cells)
{
    std::string row = "\t<tr>\n\t\t";
    for (const std::string& cell : cells) {
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
    // The census cells of each object: Census, Morale, Productivity.
    using Census = std::vector<std::string>;
    const auto page = [&](const Census& first, const Census& second) {
        const auto cells = [](std::vector<std::string> before, const Census& census, std::vector<std::string> after) {
            before.insert(before.end(), census.begin(), census.end());
            before.insert(before.end(), after.begin(), after.end());
            return before;
        };
        return "<html><body>\n"
               "<p><font size=\"4\">System 1</font>\n" +
               table +
               Row("FF0000", cells({"1.1", "Terrestrial", "Moderate", "7"}, first,
                                   {"3", "Special: Fair Biosphere (+1 Capacity)", "1: Favorable w/ resources"})) +
               "</table>\n"
               "<p><font size=\"4\">System 2</font>\n" +
               table + Row("FF0000", cells({"2.1", "Hostile", "None", "1"}, second, {"1", "Special: None", "0"})) +
               Row("009900", cells({"2.2", "Asteroid Belt", "N/A", "1"}, second, {"1", "Special: None", "0"})) +
               "</table>\n"
               "</body></html>\n";
    };
    EXPECT_EQ(RunReports(true, kHtmlReportName), page({"3", "2", "2"}, {"0", "1", "1"}));
    EXPECT_EQ(RunReports(false, kHtmlReportName), page({"0", "0", "0"}, {"0", "0", "0"}));
}

TEST(MediumReports, ASeededRunKeepsTenUnquotedFieldsInEveryRow)
{
    TempDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    ASSERT_TRUE(RunGeneration({200, DetailLevel::Medium, true}, dice, tree, reports, notifier).reportsComplete);

    std::size_t objects = 0;
    for (const ItemId system : tree.Children(tree.Children(kNoItem).front())) {
        const std::size_t count = tree.Children(system).size();
        EXPECT_TRUE(count >= 1 && count <= 10);
        objects += count;
    }
    std::istringstream text(ReadFile(dir.path() / kTextReportName));
    std::size_t rows = 0;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line.rfind("System ", 0) == 0) {
            continue;
        }
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 9) << line;
        EXPECT_EQ(line.find('"'), std::string::npos) << line;
        ++rows;
    }
    EXPECT_EQ(rows, objects + 200);  // a header per system
    const std::string html = ReadFile(dir.path() / kHtmlReportName);
    std::size_t htmlRows = 0;
    for (std::size_t at = html.find("\t<tr>\n"); at != std::string::npos; at = html.find("\t<tr>\n", at + 1)) {
        ++htmlRows;
    }
    EXPECT_EQ(htmlRows, objects);
}

}  // namespace
}  // namespace nexmar
