#include <gtest/gtest.h>

#include "gen/high/high_system.h"
#include "high_fixture.h"

namespace nexmar {
namespace {

using enum StarColour;
using testing::HighFixture;
using testing::kD10;
using testing::kD4;
using testing::kD6;
using testing::RunScripted;
using testing::ScriptedDice;
using testing::ScriptedRun;

using Lines = std::vector<std::string>;
using Calls = std::vector<std::pair<int, int>>;

Calls Repeat(std::pair<int, int> die, int times)
{
    return Calls(static_cast<std::size_t>(times), die);
}

Calls Join(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const char* const kTextHeader = "Object,Type,Capacity,Census,Morale,Productivity,RAW,Special\n";
const char* const kHtmlTableStart =
    "<table cellpadding=\"1\" border=\"1\">\n"
    "\t<th>Object</th><th>Type</th><th>Capacity</th><th>Census</th><th>Morale</th><th>Productivity</th>"
    "<th>RAW</th><th>Special</th>\n";

TEST(HighSystem, StarCountAndGroupingOfComponents)
{
    // Every component: an Extremely Hot Blue supergiant (a pair adds a Yellow main-sequence
    // star), one object die of 1 and a zone die of 1, which gives no object.
    const std::vector<int> single{1, 1, 1, 1};
    const std::vector<int> pair{1, 1, 5, 5, 1, 1};
    const std::string first = "Extremely Hot Blue Supergiant (OI)";
    const std::string second = "Yellow Main Sequence (GV)";
    struct Case {
        std::vector<int> faces;
        std::vector<std::vector<int>> components;
        Lines stars;
    };
    const std::vector<Case> cases{
        {{1}, {single}, {"A1: " + first}},
        {{7}, {single}, {"A1: " + first}},
        {{8}, {pair}, {"A1: " + first, "A2: " + second}},
        {{9}, {pair}, {"A1: " + first, "A2: " + second}},
        {{10, 1}, {pair, single}, {"A1: " + first, "A2: " + second, "B1: " + first}},
        {{10, 2}, {pair, pair}, {"A1: " + first, "A2: " + second, "B1: " + first, "B2: " + second}},
        {{10, 3},
         {pair, pair, single},
         {"A1: " + first, "A2: " + second, "B1: " + first, "B2: " + second, "C1: " + first}},
        {{10, 4},
         {pair, pair, pair},
         {"A1: " + first, "A2: " + second, "B1: " + first, "B2: " + second, "C1: " + first, "C2: " + second}},
    };
    for (const Case& c : cases) {
        std::vector<int> faces = c.faces;
        Calls calls = Repeat(kD10, 1);
        if (c.faces.size() == 2) {
            calls.push_back(kD4);
        }
        for (const std::vector<int>& component : c.components) {
            faces.insert(faces.end(), component.begin(), component.end());
            calls.insert(calls.end(), component.size(), kD10);
        }
        HighFixture high(faces, false);
        high.System();
        Lines expected;
        for (const std::string& star : c.stars) {
            expected.push_back("Star " + star);
        }
        EXPECT_EQ(high.Texts(high.system), expected) << c.faces.back();
        for (const ItemId star : high.tree.Children(high.system)) {
            EXPECT_EQ(high.tree.at(star).image, high.tree.at(star).text[6] == '1' ? TreeImage::BlueStar : TreeImage::YellowStar);
            EXPECT_TRUE(high.tree.at(star).children.empty());
        }
        EXPECT_EQ(high.dice.calls, calls) << c.faces.back();
        EXPECT_TRUE(high.dice.AllUsed());
    }
}

TEST(HighSystem, EveryComponentWritesItsStarLinesAndTableEvenWithoutObjects)
{
    HighFixture high({10, 3, 1, 1, 5, 5, 1, 1, 1, 1, 5, 5, 1, 1, 1, 1, 1, 1}, false);
    high.System();
    const auto [text, html] = high.Reports();
    EXPECT_EQ(text, std::string("Star A: Extremely Hot Blue Supergiant (OI)\nStar A: Yellow Main Sequence (GV)\n") +
                        kTextHeader +
                        "\n"
                        "Star B: Extremely Hot Blue Supergiant (OI)\nStar B: Yellow Main Sequence (GV)\n" +
                        kTextHeader +
                        "\n"
                        "Star C: Extremely Hot Blue Supergiant (OI)\n" +
                        kTextHeader + "\n");
    const std::string pairLines = "<br><font size=\"3\">Star %: Extremely Hot Blue Supergiant (OI)</font>\n"
                                  "<br><font size=\"3\">Star %: Yellow Main Sequence (GV)</font>\n";
    std::string expectedHtml;
    for (const char letter : {'A', 'B'}) {
        std::string lines = pairLines;
        for (char& c : lines) {
            c = c == '%' ? letter : c;
        }
        expectedHtml += lines + kHtmlTableStart + "</table>\n";
    }
    expectedHtml += std::string("<br><font size=\"3\">Star C: Extremely Hot Blue Supergiant (OI)</font>\n") +
                    kHtmlTableStart + "</table>\n";
    EXPECT_EQ(html, expectedHtml);
}

TEST(HighSystem, ZoneRollByColourAndModifier)
{
    // The result of each face 1 to 10: '-' no object, Inner, Habitable, Outer.
    const auto zones = [](StarColour colour, int modifier) {
        ScriptedDice dice({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        std::string results;
        for (int face = 1; face <= 10; ++face) {
            const std::optional<OrbitZone> zone = RollZone(dice, colour, modifier);
            results += zone ? "IHO"[static_cast<int>(*zone)] : '-';
        }
        EXPECT_EQ(dice.calls, Repeat(kD10, 10));
        return results;
    };
    EXPECT_EQ(zones(ExtremelyHotBlue, 0), "IIIIOOOOOO");
    EXPECT_EQ(zones(BlueB, 0), "IIIIOOOOOO");
    EXPECT_EQ(zones(BlueA, 0), "IIIHOOOOOO");
    EXPECT_EQ(zones(White, 0), "IIIHHOOOOO");
    EXPECT_EQ(zones(Yellow, 0), "IIHHHOOOOO");
    EXPECT_EQ(zones(Orange, 0), "IIHHOOOOOO");
    EXPECT_EQ(zones(Red, 0), "IIHHOOOOOO");
    EXPECT_EQ(zones(Yellow, -3), "---IIHHHOO");
    EXPECT_EQ(zones(White, -1), "-IIIHHOOOO");
    EXPECT_EQ(zones(BlueB, -2), "--IIIIOOOO");
}

TEST(HighSystem, ZoneResultsOfZeroShortenTheLoop)
{
    // A Yellow supergiant (zone modifier -3). Ten objects, every zone die 1 to 3: five zone rolls.
    HighFixture none({5, 1, 10, 1, 2, 3, 1, 2}, false);
    none.Show({{GenerateSingleStar(none.dice, 'A', false)}});
    EXPECT_EQ(none.Texts(none.system), Lines{"Star A1: Yellow Supergiant (GI)"});
    EXPECT_EQ(none.dice.calls, Repeat(kD10, 8));
    EXPECT_TRUE(none.dice.AllUsed());

    // Three objects, zone dice 3 (no object) and 4 (Inner): two zone rolls, one Inner Asteroid.
    HighFixture one({5, 1, 3, 3, 4, 1, 1, 1, 1, 1}, false);
    one.Show({{GenerateSingleStar(one.dice, 'A', false)}});
    EXPECT_EQ(one.Texts(one.system), (Lines{"Star A1: Yellow Supergiant (GI)", "Object 3A.1"}));
    EXPECT_EQ(one.tree.at(one.tree.Children(one.system)[1]).image, TreeImage::RedObject);
    EXPECT_EQ(one.dice.calls, Join({Repeat(kD10, 8), Repeat(kD6, 2)}));
    EXPECT_TRUE(one.dice.AllUsed());
}

TEST(HighSystem, ObjectsGoInnerHabitableOuterAndAreNumberedPerComponent)
{
    // A multiple system of a Yellow main-sequence pair A and a single B; every object an
    // Asteroid (type die 1 in every zone, no moon die). A rolls Outer, Inner; B rolls Outer,
    // Habitable, Inner.
    const std::vector<int> asteroid{1, 1, 1, 1, 1};
    std::vector<int> faces{10, 1, 5, 5, 5, 5, 2, 6, 1};
    for (int n = 0; n < 2; ++n) {
        faces.insert(faces.end(), asteroid.begin(), asteroid.end());
    }
    faces.insert(faces.end(), {5, 5, 3, 6, 3, 1});
    for (int n = 0; n < 3; ++n) {
        faces.insert(faces.end(), asteroid.begin(), asteroid.end());
    }
    HighFixture high(faces, false);
    high.System();
    EXPECT_EQ(high.Texts(high.system),
              (Lines{"Star A1: Yellow Main Sequence (GV)", "Star A2: Yellow Main Sequence (GV)", "Object 3A.1",
                     "Object 3A.2", "Star B1: Yellow Main Sequence (GV)", "Object 3B.1", "Object 3B.2",
                     "Object 3B.3"}));
    std::vector<TreeImage> images;
    for (const ItemId child : high.tree.Children(high.system)) {
        images.push_back(high.tree.at(child).image);
    }
    EXPECT_EQ(images, (std::vector<TreeImage>{TreeImage::YellowStar, TreeImage::YellowStar, TreeImage::RedObject, TreeImage::BlueObject, TreeImage::YellowStar,
                                        TreeImage::RedObject, TreeImage::GreenObject, TreeImage::BlueObject}));
    EXPECT_TRUE(high.dice.AllUsed());
}

// A report row of eight cells in the zone's colour; a moon's first two cells align right.
std::string HtmlRow(const std::string& colour, const Lines& cells, bool moon = false)
{
    std::string row = "\t\t<tr>\n";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        row += std::string("\t\t\t<td") + (moon && i < 2 ? " align=\"right\"" : "") + "><font color=\"#" + colour +
               "\">" + cells[i] + "</font></td>\n";
    }
    return row + "\t\t</tr>\n";
}

std::string HtmlMoon(const std::string& colour, const std::string& designation, const std::string& capacity,
                     const std::string& raw)
{
    return HtmlRow(colour, {designation, "Moon", capacity, "0", "0", "0", raw, "-"}, true);
}

// System 1: a pair of a Yellow main-sequence and a Red supergiant star; the Yellow star's
// zone modifier 0 makes the zone die 1 Inner. Outer is rolled first, Inner is shown first.
// System 2: a multiple system of pair A (an Extremely Hot Blue supergiant first, zone
// modifier -3: three objects, zone dice 2 and 5 give no object and one Inner) and single B.
const std::vector<int> kRunFaces{
    8, 5, 7, 9, 3, 2, 6, 1,         // pair, stars, two objects: Outer, Inner
    10, 8, 5, 6, 6, 6, 3,           // Inner Terrestrial, Large, RAW 2, special 14; one moon: 1, 0
    4, 10, 10, 4, 5, 3, 9, 4,       // Outer Gas Giant, Huge 8, RAW 3 + 2; two moons: 2, 2 and 1, 1
    10, 1, 1, 5, 3, 3, 3, 2, 5,     // pair A and single B; pair A: one Inner object
    1, 1, 1, 3, 3,                  // Inner Tiny Asteroid, RAW 1, Fair Climate
    4, 4, 1, 5,                     // single B, White Sub Giant: one Habitable object
    8, 5, 7, 5, 6, 4,               // Habitable Terrestrial, Medium, RAW 2, Gaia World; no moon
};

ScriptedRun RunTwoSystems(bool census)
{
    return RunScripted({{2, DetailLevel::High, census}}, kRunFaces);
}

TEST(HighRun, DiceAreDrawnInTheirFixedOrder)
{
    const Calls object = Join({Repeat(kD10, 3), Repeat(kD6, 2)});
    EXPECT_EQ(RunTwoSystems(false).calls,
              Join({Repeat(kD10, 8), object, Repeat(kD10, 2), object, Repeat(kD10, 3),  // system 1
                    Repeat(kD10, 1), Repeat(kD4, 1), Repeat(kD10, 7), object,            // system 2, pair A
                    Repeat(kD10, 4), object, Repeat(kD10, 1)}));                          // single B
}

TEST(HighRun, TreeOfAPairAndAMultipleSystem)
{
    const ScriptedRun run = RunTwoSystems(false);
    const ItemId root = run.tree.Children(kNoItem)[0];
    const auto& systems = run.tree.Children(root);
    ASSERT_EQ(systems.size(), 2u);
    const auto outline = [&](ItemId system) {
        Lines lines;
        for (const ItemId child : run.tree.Children(system)) {
            lines.push_back(run.tree.at(child).text);
        }
        return lines;
    };
    EXPECT_EQ(outline(systems[0]), (Lines{"Star A1: Yellow Main Sequence (GV)", "Star A2: Red Supergiant (MI)",
                                          "Object 1A.1", "Object 1A.2"}));
    EXPECT_EQ(outline(systems[1]),
              (Lines{"Star A1: Extremely Hot Blue Supergiant (OI)", "Star A2: Blue Giant (AIII)", "Object 2A.1",
                     "Star B1: White Sub Giant (FIV)", "Object 2B.1"}));
    EXPECT_EQ(outline(run.tree.Children(systems[1])[4]),
              (Lines{"Base stats: Medium/Terrestrial", "Capacity: 4", "Census: 1", "Morale: 1", "Productivity: 1",
                     "Raw: 2", "Special: Gaia World/Splinter Colony"}));
    EXPECT_EQ(outline(run.tree.Children(systems[0])[3]),
              (Lines{"Base stats: Huge/Gas Giant", "Capacity: 8", "Raw: 5", "Special: Rich in Precious Metals",
                     "Moon 1A.2.1", "Moon 1A.2.2"}));
}

TEST(HighRun, ReportBytesCensusOnAndOff)
{
    const std::string kill = "Special: Kill Jaskel for making a roll twice result";
    const std::string precious = "Special: Rich in Precious Metals";
    const std::string climate = "Special: Fair Climate";
    const std::string gaia = "Special: Gaia World/Splinter Colony";
    struct Values {
        Lines terrestrial, gasGiant, asteroid, gaiaWorld;  // Capacity, Census, Morale, Productivity
    };
    const Values off{{"5", "0", "0", "0"}, {"8", "0", "0", "0"}, {"1", "0", "0", "0"}, {"4", "0", "0", "0"}};
    const Values on{{"5", "2", "1", "1"}, {"8", "4", "3", "3"}, {"1", "0", "1", "1"}, {"5", "3", "2", "2"}};

    for (const bool census : {false, true}) {
        const Values& v = census ? on : off;
        const auto cells = [](const std::string& designation, const std::string& type, const Lines& values,
                              const std::string& raw, const std::string& special) {
            Lines all{designation, type};
            all.insert(all.end(), values.begin(), values.end());
            all.push_back(raw);
            all.push_back(special);
            return all;
        };
        const auto textRow = [](const Lines& all) {
            std::string line;
            for (const std::string& cell : all) {
                line += (line.empty() ? "" : ",") + cell;
            }
            return line + "\n";
        };
        const Lines terrestrial = cells("1A.1", "Terrestrial", v.terrestrial, "2", kill);
        const Lines gasGiant = cells("1A.2", "Gas Giant", v.gasGiant, "5", precious);
        const Lines asteroid = cells("2A.1", "Asteroid", v.asteroid, "1", climate);
        const Lines gaiaWorld = cells("2B.1", "Terrestrial", v.gaiaWorld, "2", gaia);

        const ScriptedRun run = RunTwoSystems(census);
        EXPECT_EQ(run.text, "System 1\n"
                            "Star A: Yellow Main Sequence (GV)\n"
                            "Star A: Red Supergiant (MI)\n" +
                                std::string(kTextHeader) + textRow(terrestrial) + "1A.1.1,Moon,1,0,0,0,0,-\n" +
                                textRow(gasGiant) +
                                "1A.2.1,Moon,2,0,0,0,2,-\n"
                                "1A.2.2,Moon,1,0,0,0,1,-\n"
                                "\n"
                                "System 2\n"
                                "Star A: Extremely Hot Blue Supergiant (OI)\n"
                                "Star A: Blue Giant (AIII)\n" +
                                kTextHeader + textRow(asteroid) +
                                "\n"
                                "Star B: White Sub Giant (FIV)\n" +
                                kTextHeader + textRow(gaiaWorld) + "\n")
            << "census " << census;
        EXPECT_EQ(run.html, std::string("<html><body>\n"
                                        "<p><font size=\"4\">System 1</font>\n"
                                        "<br><font size=\"3\">Star A: Yellow Main Sequence (GV)</font>\n"
                                        "<br><font size=\"3\">Star A: Red Supergiant (MI)</font>\n") +
                                kHtmlTableStart + HtmlRow("FF0000", terrestrial) +
                                HtmlMoon("FF0000", "1A.1.1", "1", "0") + HtmlRow("0000FF", gasGiant) +
                                HtmlMoon("0000FF", "1A.2.1", "2", "2") + HtmlMoon("0000FF", "1A.2.2", "1", "1") +
                                "</table>\n"
                                "<p><font size=\"4\">System 2</font>\n"
                                "<br><font size=\"3\">Star A: Extremely Hot Blue Supergiant (OI)</font>\n"
                                "<br><font size=\"3\">Star A: Blue Giant (AIII)</font>\n" +
                                kHtmlTableStart + HtmlRow("FF0000", asteroid) +
                                "</table>\n"
                                "<br><font size=\"3\">Star B: White Sub Giant (FIV)</font>\n" +
                                kHtmlTableStart + HtmlRow("009900", gaiaWorld) +
                                "</table>\n"
                                "</body></html>\n")
            << "census " << census;
    }
}

}  // namespace
}  // namespace nexmar
