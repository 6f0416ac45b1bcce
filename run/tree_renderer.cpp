#include "run/tree_renderer.h"

#include <charconv>
#include <iterator>

#include "core/format.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

void AddCensusLines(ResultTree& tree, const CensusValues& census, ItemId parent)
{
    AddStatItem(tree, "Census", census.census, TreeImage::Blank, parent);
    AddStatItem(tree, "Morale", census.morale, TreeImage::Blank, parent);
    AddStatItem(tree, "Productivity", census.productivity, TreeImage::Blank, parent);
}

std::string BaseStats(std::string_view first, std::string_view second)
{
    std::string text = "Base stats: ";
    text.append(first).append("/").append(second);
    return text;
}

}  // namespace

TreeImage ZoneImage(OrbitZone zone)
{
    switch (zone) {
    case OrbitZone::Inner:
        return TreeImage::RedObject;
    case OrbitZone::Habitable:
        return TreeImage::GreenObject;
    case OrbitZone::Outer:
        return TreeImage::BlueObject;
    }
    return TreeImage::Blank;
}

TreeImage StarImage(StarColour colour)
{
    switch (colour) {
    case StarColour::ExtremelyHotBlue:
    case StarColour::BlueB:
    case StarColour::BlueA:
        return TreeImage::BlueStar;
    case StarColour::White:
        return TreeImage::WhiteStar;
    case StarColour::Yellow:
        return TreeImage::YellowStar;
    case StarColour::Orange:
        return TreeImage::OrangeStar;
    case StarColour::Red:
        return TreeImage::RedStar;
    }
    return TreeImage::Blank;
}

void RenderLowSystem(ResultTree& tree, ItemId systemItem, const LowSystem& system)
{
    AddStatItem(tree, BaseStats(LowSizeClassName(system.sizeClass), ImportanceName(system.importance)), NO_VALUE,
                TreeImage::Blank, systemItem);
    AddStatItem(tree, "Raw", system.raw, TreeImage::Blank, systemItem);
    AddStatItem(tree, "Capacity", system.capacity, TreeImage::Blank, systemItem);
    AddStatItem(tree, system.special, NO_VALUE, TreeImage::Blank, systemItem);
    if (system.census) {
        AddCensusLines(tree, *system.census, systemItem);
    }
}

ItemId RenderMediumObject(ResultTree& tree, ItemId systemItem, int systemNumber, int slot, const MediumObject& object)
{
    const ItemId item =
        tree.Insert(systemItem, Format("Object %d.%d", systemNumber, slot), ZoneImage(object.zone), Placement::Last);
    AddStatItem(tree, BaseStats(ValueText(object.value), MediumObjectTypeName(object.type)), NO_VALUE,
                TreeImage::Blank, item);
    AddStatItem(tree, "Raw", object.raw, TreeImage::Blank, item);
    AddStatItem(tree, "Capacity", object.capacity, TreeImage::Blank, item);
    AddStatItem(tree, object.special, NO_VALUE, TreeImage::Blank, item);
    AddStatItem(tree, "Moons: " + MediumMoonsText(object), NO_VALUE, TreeImage::Blank, item);
    if (object.census) {
        AddCensusLines(tree, *object.census, item);
    }
    return item;
}

void RenderMediumSystem(ResultTree& tree, ItemId systemItem, int systemNumber, const MediumSystem& system)
{
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        RenderMediumObject(tree, systemItem, systemNumber, ++slot, object);
    }
}

ItemId RenderHighObject(ResultTree& tree, ItemId systemItem, int systemNumber, char letter, int objectIndex,
                        const HighObject& object)
{
    const ItemId item = tree.Insert(systemItem, Format("Object %d%c.%d", systemNumber, letter, objectIndex + 1),
                                    ZoneImage(object.zone), Placement::Last);
    AddStatItem(tree, BaseStats(HighObjectSizeName(object.size), HighObjectTypeName(object.type)), NO_VALUE,
                TreeImage::Blank, item);
    AddStatItem(tree, "Raw", object.raw, TreeImage::Blank, item);
    AddStatItem(tree, "Capacity", object.capacity, TreeImage::Blank, item);
    AddStatItem(tree, object.special, NO_VALUE, TreeImage::Blank, item);
    if (object.census) {
        AddCensusLines(tree, *object.census, item);
    } else if (object.gaiaWorld) {
        // A Gaia World shows its colony in the tree even without census.
        AddCensusLines(tree, CensusValues{1, 1, 1}, item);
    }
    int moonIndex = 0;
    for (const HighMoon& moon : object.moons) {
        const ItemId moonItem =
            tree.Insert(item, Format("Moon %d%c.%d.%d", systemNumber, letter, objectIndex + 1, ++moonIndex),
                        TreeImage::Moon, Placement::Last);
        AddStatItem(tree, "Raw", moon.raw, TreeImage::Blank, moonItem);
        AddStatItem(tree, "Capacity", moon.capacity, TreeImage::Blank, moonItem);
    }
    return item;
}

void RenderHighSystem(ResultTree& tree, ItemId systemItem, int systemNumber, const HighSystem& system)
{
    for (const StarComponent& component : system.components) {
        int starNumber = 0;
        for (const Star& star : component.stars) {
            tree.Insert(systemItem,
                        Format("Star %c%d: %s", component.letter, ++starNumber, StarDescription(star).c_str()),
                        StarImage(star.colour), Placement::Last);
        }
        int objectIndex = 0;
        for (const HighObject& object : component.objects) {
            RenderHighObject(tree, systemItem, systemNumber, component.letter, objectIndex++, object);
        }
    }
}

void AppendTreeLines(std::string& out, const ResultTree& tree, ItemId item, int depth)
{
    const ResultTree::Item& node = tree.at(item);
    out.append(static_cast<std::size_t>(2 * depth), ' ').append("[");
    char digits[16];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), ImageIndex(node.image)).ptr);
    out.append("] ").append(node.text).append("\n");
    for (const ItemId child : node.children) {
        AppendTreeLines(out, tree, child, depth + 1);
    }
}

}  // namespace nexmar
