#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/dice.h"
#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"
#include "picture/picture_legend.h"
#include "picture/picture_sheet.h"
#include "gen/record_text.h"
#include "picture/svg_picture.h"
#include "picture/system_picture.h"

namespace nexmar {
namespace {

std::size_t Count(const std::string& svg, const std::string& needle)
{
    std::size_t count = 0;
    for (std::size_t at = svg.find(needle); at != std::string::npos; at = svg.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

// A body, or a sample of the legend: what no label may cover.
bool KeepsLabelsOff(const PictureShape& shape)
{
    for (const std::string_view kind : {"star ", "object ", "moon", "colony", "legend "}) {
        if (shape.cssClass.starts_with(kind)) {
            return true;
        }
    }
    return false;
}

// Every shape and label inside the view box; no label over another label, a body or a legend's sample.
void ExpectLaidOut(const SystemPicture& picture)
{
    for (const PictureShape& shape : picture.shapes) {
        EXPECT_TRUE(picture.viewBox.Contains(shape.box)) << picture.title << ": " << shape.cssClass;
    }
    for (std::size_t i = 0; i < picture.labels.size(); ++i) {
        const PictureLabel& label = picture.labels[i];
        EXPECT_TRUE(picture.viewBox.Contains(label.box)) << picture.title << ": " << label.text;
        for (std::size_t j = i + 1; j < picture.labels.size(); ++j) {
            EXPECT_FALSE(label.box.Overlaps(picture.labels[j].box))
                << picture.title << ": '" << label.text << "' over '" << picture.labels[j].text << "'";
        }
        for (const PictureShape& shape : picture.shapes) {
            EXPECT_FALSE(KeepsLabelsOff(shape) && label.box.Overlaps(shape.box))
                << picture.title << ": '" << label.text << "' over " << shape.cssClass;
        }
    }
}

// A line of more than twenty characters cut to nineteen and an ellipsis.
std::string Cut(std::string_view text)
{
    if (text.size() <= 20) {
        return std::string(text);
    }
    std::string_view kept = text.substr(0, 19);
    kept.remove_suffix(kept.size() - kept.find_last_not_of(' ') - 1);
    return std::string(kept) + "\u2026";
}

// The first line a special result shows: its first part, cut to twenty
// characters; none for "None".
std::vector<std::string> SpecialFirstLine(std::string_view special)
{
    special.remove_prefix(special.starts_with("Special: ") ? 9 : 0);
    if (special.empty() || special == "None") {
        return {};
    }
    const std::string_view first = special.substr(0, std::min(special.find('/'), special.find(" (")));
    return {Cut(first)};
}

// The texts a picture must show, each as a whole text element.
void ExpectTexts(const std::string& svg, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        std::string element = ">";
        AppendEscapedXml(element, text);
        EXPECT_NE(svg.find(element + "</text>"), std::string::npos) << text;
    }
}

// A picture of stars, objects and moons: so many of each body, its texts,
// and all of it laid out inside its box.
void ExpectBodiesAndTexts(const SystemPicture& picture, std::size_t stars, std::size_t objects, std::size_t moons,
                          const std::vector<std::string>& texts)
{
    const std::string svg = SvgDocument(picture);
    EXPECT_EQ(Count(svg, "class=\"star "), stars);
    EXPECT_EQ(Count(svg, "class=\"object "), objects);
    EXPECT_EQ(Count(svg, "class=\"moon\""), moons);
    ExpectTexts(svg, texts);
    ExpectLaidOut(picture);
}

void ExpectHighPicture(int number, const HighSystem& system)
{
    const SystemPicture picture = HighSystemPicture(number, system);
    std::size_t stars = 0, objects = 0, moons = 0;
    std::vector<std::string> texts = {SystemName(number)};
    for (const StarComponent& component : system.components) {
        stars += component.stars.size();
        objects += component.objects.size();
        for (std::size_t i = 0; i < component.objects.size(); ++i) {
            const HighObject& object = component.objects[i];
            moons += object.moons.size();
            texts.push_back(HighObjectNumber(number, component.letter, static_cast<int>(i)));
            texts.push_back(StatText("Capacity", object.capacity));
            texts.push_back(StatText("Raw", object.raw));
            texts.push_back(std::string(HighObjectSizeName(object.size)) + " " +
                            std::string(HighObjectTypeName(object.type)));
            for (const std::string& line : SpecialFirstLine(object.special)) {
                texts.push_back(line);
            }
            if (!object.moons.empty()) {
                std::string moonLine = "Moons";
                for (std::size_t m = 0; m < std::min<std::size_t>(3, object.moons.size()); ++m) {
                    moonLine += " " + std::to_string(object.moons[m].capacity) + "/" +
                                std::to_string(object.moons[m].raw);
                }
                texts.push_back(moonLine);
            }
        }
    }
    ExpectBodiesAndTexts(picture, stars, objects, moons, texts);
    // Each special result whole, for a reader pointing at its lines.
    const std::string svg = SvgDocument(picture);
    for (const StarComponent& component : system.components) {
        for (const HighObject& object : component.objects) {
            std::string_view special = object.special;
            special.remove_prefix(special.starts_with("Special: ") ? 9 : 0);
            if (!special.empty() && special != "None") {
                EXPECT_NE(svg.find("<g><title>" + std::string(special) + "</title>"), std::string::npos) << special;
            }
        }
    }
}

void ExpectMediumPicture(int number, const MediumSystem& system)
{
    const SystemPicture picture = MediumSystemPicture(number, system);
    std::size_t moons = 0;
    std::vector<std::string> texts = {SystemName(number)};
    for (std::size_t i = 0; i < system.objects.size(); ++i) {
        const MediumObject& object = system.objects[i];
        moons += object.moons.size();
        texts.push_back(MediumObjectNumber(number, static_cast<int>(i) + 1));
        texts.emplace_back(ValueText(object.value));
        texts.push_back(StatText("Capacity", object.capacity));
        texts.push_back(StatText("Raw", object.raw));
        for (const std::string& line : SpecialFirstLine(object.special)) {
            texts.push_back(line);
        }
        for (const std::string_view moon : object.moons) {
            const std::string text = "Moon: " + std::string(moon);
            texts.push_back(Cut(text));
        }
    }
    ExpectBodiesAndTexts(picture, 0, system.objects.size(), moons, texts);
}

void ExpectLowPicture(int number, const LowSystem& system)
{
    const SystemPicture picture = LowSystemPicture(number, system);
    const std::string svg = SvgDocument(picture);
    std::vector<std::string> texts = {SystemName(number), std::string(LowSizeClassName(system.sizeClass)),
                                      std::string(ImportanceName(system.importance)),
                                      StatText("Capacity", system.capacity), StatText("Raw", system.raw),
                                      std::string(system.special)};
    if (system.census) {
        texts.push_back(StatText("Productivity", system.census->productivity));
    }
    EXPECT_EQ(Count(svg, "class=\"colony\""), 1u);
    ExpectTexts(svg, texts);
    ExpectLaidOut(picture);
}

TEST(SystemPicture, EverySystemOfSeededRunsShowsItsBodiesAndTextsInsideItsBox)
{
    for (const bool census : {false, true}) {
        SeededDice dice(census ? 11 : 12);
        for (int number = 1; number <= 200; ++number) {
            ExpectLowPicture(number, GenerateLowSystem(dice, census));
            ExpectMediumPicture(number, GenerateMediumSystem(dice, census));
            ExpectHighPicture(number, GenerateHighSystem(dice, census));
        }
    }
}

// Six supergiants in three pairs, each with ten Huge objects of six moons in
// one zone, Gaia Worlds with census values of two digits: the widest and
// tallest High picture there is.
HighSystem FullestHighSystem()
{
    HighSystem system;
    const HighObjectType types[] = {HighObjectType::GasGiant, HighObjectType::SubTerrestrial,
                                    HighObjectType::Asteroid, HighObjectType::Hostile, HighObjectType::Terrestrial};
    for (const OrbitZone zone : kOrbitZones) {
        StarComponent component;
        component.letter = static_cast<char>('A' + static_cast<int>(zone));
        component.stars = {{StarColour::ExtremelyHotBlue, StarSize::Supergiant},
                           {StarColour::Red, StarSize::Supergiant}};
        for (int i = 0; i < 10; ++i) {
            HighObject object;
            object.zone = zone;
            object.type = types[i % 5];
            object.size = HighObjectSize::HugeCapacity8;
            object.capacity = 23;
            object.raw = 18;
            object.gaiaWorld = true;
            object.special = i % 2 == 0 ? "Special: Special Resource or +3 RAW (RAW bonus assumed)"
                                        : "Special: Gaia World/Splinter Colony";
            object.census = CensusValues{23, 19, 17};
            object.moons.assign(6, HighMoon{5, 4});
            component.objects.push_back(object);
        }
        system.components.push_back(component);
    }
    return system;
}

// Ten objects of every type over the zones, each with five moons, census
// values and a special result of two parts: the widest Medium picture.
MediumSystem FullestMediumSystem()
{
    MediumSystem medium;
    const MediumObjectType types[] = {MediumObjectType::GasGiant, MediumObjectType::SubTerrestrial,
                                      MediumObjectType::AsteroidBelt, MediumObjectType::Hostile,
                                      MediumObjectType::Terrestrial};
    for (int i = 0; i < 10; ++i) {
        MediumObject object;
        object.zone = kOrbitZones[i % 3];
        object.type = types[i % 5];
        object.value = ValueClass::VeryHigh;
        object.moons.assign(5, "Moon causes severe tidal forces");
        object.special = "Special: Expanded Population/Fair Climate";
        object.census = CensusValues{12, 11, 10};
        medium.objects.push_back(object);
    }
    return medium;
}

const LowSystem kFullestLowSystem{LowSizeClass::MajorColony, Importance::Major, 12, 9,
                                  "Special: Expanded Population (+1 Census, +1 Morale)", CensusValues{12, 10, 11}};

TEST(SystemPicture, FullestSystemsStayInsideTheirBoxesWithoutOverlaps)
{
    ExpectHighPicture(9999, FullestHighSystem());
    ExpectMediumPicture(9999, FullestMediumSystem());
    ExpectLowPicture(9999, kFullestLowSystem);
}

SystemRecord GeneratedSystem(DetailLevel level, Dice& dice, bool census)
{
    switch (level) {
    case DetailLevel::Low:
        return GenerateLowSystem(dice, census);
    case DetailLevel::Medium:
        return GenerateMediumSystem(dice, census);
    case DetailLevel::High:
        break;
    }
    return GenerateHighSystem(dice, census);
}

// The lowest edge of what a picture draws on its paper.
double DrawnBottom(const SystemPicture& picture)
{
    double bottom = 0;
    for (const PictureShape& shape : picture.shapes) {
        bottom = shape.cssClass == "paper" ? bottom : std::max(bottom, shape.box.Bottom());
    }
    for (const PictureLabel& label : picture.labels) {
        bottom = std::max(bottom, label.box.Bottom());
    }
    return bottom;
}

// The legend under a single picture, for the fullest record and a 200-system
// run of each level: every entry named under what the picture draws, which
// stays where it was, and all of it inside the view box without overlaps.
TEST(SystemPicture, PicturesWithTheirLegendStayInsideTheirBoxesWithoutOverlaps)
{
    const struct {
        DetailLevel level;
        SystemRecord fullest;
        std::vector<std::string> entries;  // the first and the last
    } cases[] = {
        {DetailLevel::Low, kFullestLowSystem, {"Colony, as large as its size class", "Major system"}},
        {DetailLevel::Medium, FullestMediumSystem(), {"Inner zone", "Moon"}},
        {DetailLevel::High, FullestHighSystem(), {"Inner zone", "Gaia World"}},
    };
    for (const auto& c : cases) {
        SeededDice dice(14);
        std::vector<SystemRecord> systems = {c.fullest};
        for (int number = 1; number <= 200; ++number) {
            systems.push_back(GeneratedSystem(c.level, dice, number % 2 == 0));
        }
        for (std::size_t i = 0; i < systems.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            const SystemPicture without = PictureOf(number, systems[i]);
            SystemPicture with = without;
            AddLegendBelow(with, c.level);
            ExpectLaidOut(with);
            ASSERT_GT(with.labels.size(), without.labels.size()) << number;
            for (std::size_t l = 0; l < with.labels.size(); ++l) {
                const PictureLabel& label = with.labels[l];
                EXPECT_TRUE(l < without.labels.size() ? label.box.y == without.labels[l].box.y
                                                      : label.box.y > DrawnBottom(without))
                    << number << ": " << label.text;
            }
            const std::string svg = SystemSvg(number, systems[i], {}, {}, PictureLegend::Below);
            EXPECT_EQ(svg, SvgDocument(with)) << number;
            ExpectTexts(svg, c.entries);
        }
    }
}

TEST(SystemPicture, SameRecordGivesSameBytesAndTextIsEscaped)
{
    const HighSystem high = FullestHighSystem();
    const HighSystem copy = high;
    EXPECT_EQ(SystemSvg(7, high), SystemSvg(7, copy));

    const std::string special = "Special: <Rich> & \"Rare\" 'Metals'\x01";
    const LowSystem low{LowSizeClass::Colony, Importance::Minor, 3, 2, special, std::nullopt};
    const std::string svg = SystemSvg(7, low);
    EXPECT_EQ(svg, SystemSvg(7, LowSystem(low)));
    EXPECT_NE(svg.find(">Special: &lt;Rich&gt; &amp; &quot;Rare&quot; &apos;Metals&apos;\uFFFD</text>"),
              std::string::npos);
    EXPECT_EQ(svg.find("<Rich>"), std::string::npos);
    EXPECT_NE(svg.find("<title>System 7</title>"), std::string::npos);
    EXPECT_NE(svg.find("<desc>System 7 at Low detail"), std::string::npos);
}

TEST(PictureSheet, HoldsEveryPictureInItsCellWrittenInBlocks)
{
    SeededDice dice(5);
    std::vector<HighSystem> systems;
    for (int i = 0; i < 60; ++i) {
        systems.push_back(GenerateHighSystem(dice, true));
    }
    std::string page;
    int writes = 0;
    PictureSheet sheet(DetailLevel::High, static_cast<int>(systems.size()), [&](std::string_view bytes) {
        page.append(bytes);
        ++writes;
    });
    std::size_t stars = 0;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        sheet.Add(static_cast<int>(i) + 1, systems[i]);
        for (const StarComponent& component : systems[i].components) {
            stars += component.stars.size();
        }
    }
    sheet.Finish();

    // Each picture, as its transform places it, inside its cell, and each cell on the page.
    std::size_t at = 0;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        at = page.find("<g transform=", at + 1);
        ASSERT_NE(at, std::string::npos) << i;
        double x = 0, y = 0, scale = 0;
        ASSERT_EQ(std::sscanf(page.c_str() + at, "<g transform=\"translate(%lf %lf) scale(%lf)\">", &x, &y, &scale), 3);
        const PictureBox view = HighSystemPicture(static_cast<int>(i) + 1, systems[i]).viewBox;
        const PictureBox placed{x, y, view.width * scale, view.height * scale};
        const PictureBox cell = sheet.Cell(static_cast<int>(i));
        EXPECT_TRUE(cell.Contains(placed)) << i;
        EXPECT_TRUE(sheet.Page().Contains(cell)) << i;
    }
    EXPECT_GT(writes, 2);
    EXPECT_EQ(Count(page, "class=\"star "), stars);
    EXPECT_EQ(Count(page, "<rect class=\"cell\""), systems.size());
    EXPECT_EQ(Count(page, "<svg "), 1u);
    EXPECT_TRUE(page.ends_with("</svg>\n"));
    EXPECT_NE(page.find("<title>60 systems at High detail</title>"), std::string::npos);
    // The legend under the title, above the first cell: every shape and zone named.
    for (const char* name : {"Inner zone", "Habitable zone", "Outer zone", "Star, by colour and size", "Gas Giant",
                             "Terrestrial", "Sub-Terrestrial", "Hostile", "Asteroid belt", "Moon", "Gaia World"}) {
        EXPECT_NE(page.find(std::string(">") + name + "</text>"), std::string::npos) << name;
    }
    EXPECT_LT(page.find(">Gaia World</text>"), page.find("<g transform="));
}

}  // namespace
}  // namespace nexmar
