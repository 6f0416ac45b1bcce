#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gen/names/system_names.h"
#include "map/map_density.h"
#include "map/map_routes.h"
#include "map/sector_map_layout.h"
#include "map/sector_map_svg.h"
#include "map/system_places.h"

namespace nexmar {
namespace {

constexpr int kSystems = 200;

// The sector's systems of a run of kSystems at a density, named by name(number),
// with every size and mark in turn.
template <class Name>
SectorMapInput SectorOf(const SystemPlaces& places, int sector, Name name)
{
    SectorMapInput input;
    input.sector = sector;
    input.extent = places.Extent();
    for (int number = 1; number <= places.Systems(); ++number) {
        if (places.Extent().SectorOf(places.Of(number)) != sector) {
            continue;
        }
        MapSystem system;
        system.number = number;
        system.place = places.Of(number);
        system.name = name(number);
        system.sizeClass = number % 3;
        system.special = number % 4 == 0;
        system.notes = number % 5 == 0;
        if (number % 2 == 0) {
            system.star = static_cast<StarColour>(number % 7);
        }
        input.systems.push_back(system);
    }
    input.routes = PlanRoutes(input.systems, kDefaultJump);
    return input;
}

struct Overlaps {
    int labels = 0;  // pairs of labels
    int glyphs = 0;  // a label over a glyph or a system's hex number
    int outside = 0;
    int placed = 0;
};

Overlaps CheckLabels(const SectorMapInput& input, const SectorMapLayout& layout)
{
    Overlaps found;
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const MapLabel& label = layout.labels[i];
        if (label.text.empty()) {
            continue;
        }
        ++found.placed;
        found.outside += !layout.grid.Contains(label.box);
        for (std::size_t j = 0; j < layout.labels.size(); ++j) {
            found.labels += j > i && !layout.labels[j].text.empty() && label.box.Overlaps(layout.labels[j].box);
            found.glyphs += label.box.Overlaps(layout.glyphs[j]) || label.box.Overlaps(HexNumberBox(layout.centres[j]));
        }
    }
    EXPECT_EQ(layout.labels.size(), input.systems.size());
    return found;
}

// Every sector of 200 systems at every density, with generated names and
// with names of the longest a document takes, in the widest letter.
TEST(SectorMapLabels, NeverOverlapAGlyphOrEachOther)
{
    const NameGenerator names(2026);
    const auto generated = [&names](int number) { return std::string(names.Name(number).view()); };
    const auto longest = [](int number) { return std::to_string(number) + std::string(97, 'W'); };
    for (const NamedDensity& density : kNamedDensities) {
        const SystemPlaces places(kSystems, density.percent, 2026);
        for (int sector = 1; sector <= places.Extent().sectors; ++sector) {
            int shown = 0;
            int placed = 0;
            for (const bool longNames : {false, true}) {
                const SectorMapInput input =
                    longNames ? SectorOf(places, sector, longest) : SectorOf(places, sector, generated);
                const SectorMapLayout layout = LayOutSectorMap(input);
                const Overlaps found = CheckLabels(input, layout);
                EXPECT_EQ(found.labels, 0) << density.name << " sector " << sector << (longNames ? " long" : "");
                EXPECT_EQ(found.glyphs, 0) << density.name << " sector " << sector << (longNames ? " long" : "");
                EXPECT_EQ(found.outside, 0) << density.name << " sector " << sector << (longNames ? " long" : "");
                if (!longNames) {
                    shown += static_cast<int>(input.systems.size());
                    placed += found.placed;
                }
            }
            // Leaving names out is the last resort, not the rule.
            EXPECT_GE(placed * 100, shown * 95) << density.name << " sector " << sector;
        }
    }
}

TEST(SectorMapSvg, EscapesNamesAndDrawsOnlyTheLegendOfWhatIsThere)
{
    SectorMapInput input;
    input.title = "Sector 1";
    input.systems.push_back({1, {3, 4}, "<b>Fort & \"Hope\"", std::nullopt, 1, false, false, false});
    const std::string svg = SectorMapSvg(input);
    EXPECT_NE(svg.find("&lt;b&gt;Fort &amp; &quot;Hope&quot;"), std::string::npos);
    EXPECT_EQ(svg.find("<b>"), std::string::npos);
    EXPECT_NE(svg.find(">0304</text>"), std::string::npos);
    EXPECT_EQ(svg.find("Special result"), std::string::npos);
    EXPECT_EQ(svg.find("Route within"), std::string::npos);
    EXPECT_EQ(svg.find("star ("), std::string::npos);
}

// A map for one area draws the hexes that meet it and every system, route
// and name of the sector as the whole map does.
TEST(SectorMapSvg, AnAreasMapDrawsItsHexesAndEverySystem)
{
    const SystemPlaces places(kSystems, kDefaultDensity, 7);
    const SectorMapInput input = SectorOf(places, 1, [](int number) { return "S" + std::to_string(number); });
    const SectorMapLayout layout = LayOutSectorMap(input);
    // A box round the centre of hex 0101, which meets that hex alone.
    const MapPoint first = HexCentre({1, 1}, layout.grid.x, layout.grid.y);
    const std::string whole = SectorMapSvg(input);
    const std::string area = SectorMapSvg(input, PictureBox{first.x - 2, first.y - 2, 4, 4});
    const auto count = [](const std::string& svg, const std::string& text) {
        std::size_t found = 0;
        for (std::size_t at = svg.find(text); at != std::string::npos; at = svg.find(text, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count(whole, "class=\"hex-number\""), std::size_t{kHexesPerSector});
    EXPECT_EQ(count(area, "class=\"hex-number\""), std::size_t{1});
    EXPECT_NE(area.find(">0101</text>"), std::string::npos);
    const std::string systems = "<g class=\"routes\">";
    EXPECT_EQ(area.substr(area.find(systems)), whole.substr(whole.find(systems)));
}

MapSystem At(int number, int column, int row)
{
    MapSystem system;
    system.number = number;
    system.place = {column, row};
    return system;
}

// The rule: neighbours always, longer links only to join, never through a
// third glyph, never beyond the jump.
TEST(MapRoutes, NeighboursThenTheShortestLinksThatJoin)
{
    struct Case {
        const char* what;
        std::vector<MapSystem> systems;
        int jump;
        std::vector<MapRoute> routes;
    };
    const Case cases[] = {
        {"a row of three: not through the middle one", {At(1, 5, 1), At(2, 5, 2), At(3, 5, 3)}, 2, {{1, 2}, {2, 3}}},
        {"two hexes apart, in range", {At(1, 5, 1), At(2, 5, 3)}, 2, {{1, 2}}},
        {"three hexes apart, beyond the jump", {At(1, 5, 1), At(2, 5, 4)}, 2, {}},
        {"three neighbours: every link", {At(1, 4, 4), At(2, 5, 4), At(3, 5, 5)}, 1, {{1, 2}, {1, 3}, {2, 3}}},
        {"a triangle of longer links: two join it", {At(1, 1, 1), At(2, 1, 4), At(3, 4, 2)}, 3, {{1, 2}, {1, 3}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlanRoutes(c.systems, c.jump), c.routes) << c.what;
    }
}

}  // namespace
}  // namespace nexmar
