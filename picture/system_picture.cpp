#include "picture/system_picture.h"

#include <algorithm>
#include <array>
#include <variant>
#include <vector>

#include "picture/picture_legend.h"
#include "picture/row_layout.h"
#include "gen/record_text.h"

namespace nexmar {

using namespace row_layout;

namespace {

using enum PlayerField;

// A body whose kind the players do not know: hollow, with a question mark.
BodySlot UnknownSlot(std::string_view body, double radius)
{
    BodySlot slot;
    slot.cssClass = std::string(body) + " unknown";
    slot.radius = radius;
    return slot;
}

std::string ShownText(PlayerFields hidden, PlayerField field, std::string_view text)
{
    return hidden.Has(field) ? "?" : std::string(text);
}

}  // namespace

SystemPicture MediumSystemPicture(int systemNumber, const MediumSystem& system, std::string_view name,
                                  PlayerFields hidden)
{
    BodyRow row;
    int slotNumber = 0;
    std::size_t moons = 0;
    for (const MediumObject& object : system.objects) {
        const std::string number = MediumObjectNumber(systemNumber, ++slotNumber);
        const std::string type = ShownText(hidden, Type, MediumObjectTypeName(object.type));
        BodySlot slot = hidden.Has(Type) ? UnknownSlot("object", kStyle.mediumObjectRadius[0])
                                         : ObjectSlot(type, kStyle.mediumObjectRadius[static_cast<std::size_t>(object.type)]);
        slot.tooltip = "Object " + number + ": " + type;
        if (!object.special.empty() && !hidden.Has(Special)) {
            slot.tooltip.append("; ").append(object.special);
        }
        if (!hidden.Has(Moons)) {
            for (const std::string_view moon : object.moons) {
                slot.moonTooltips.emplace_back(moon);
            }
            moons += object.moons.size();
        }
        slot.lines = {number, hidden.Has(Type) ? "Type: ?" : type,
                      hidden.Has(Value) ? "Value: ?" : std::string(ValueText(object.value)),
                      StatLine("Capacity", object.capacity, hidden.Has(Capacity)),
                      StatLine("Raw", object.raw, hidden.Has(Raw))};
        AddCensusLines(slot.lines, object.census, hidden.Has(Census));
        AddSpecialLines(slot.lines, object.special, hidden.Has(Special));
        if (!hidden.Has(Moons)) {
            AddMediumMoonLines(slot.lines, object.moons);
        }
        row.zones[static_cast<std::size_t>(object.zone)].push_back(std::move(slot));
    }
    std::string description = PictureTitle(systemNumber, name) + " at Medium detail: " +
                              std::to_string(system.objects.size()) + " objects";
    description += hidden.Has(Moons) ? "." : " and " + std::to_string(moons) + " moons.";
    return LayOutRows(PictureTitle(systemNumber, name), std::move(description), {row});
}

namespace {

// A component's stars, or one star of no known kind where they are hidden.
void AddStars(BodyRow& row, const StarComponent& component, PlayerFields hidden, std::string& description)
{
    if (hidden.Has(Stars)) {
        BodySlot slot = UnknownSlot("star", kStyle.starRadius.back());
        slot.tooltip = "Component " + std::string(1, component.letter) + ": stars ?";
        slot.lines = {std::string(1, component.letter) + ": stars ?"};
        row.stars.push_back(std::move(slot));
        return;
    }
    int starNumber = 0;
    for (const Star& star : component.stars) {
        BodySlot slot;
        slot.cssClass = "star " + std::string(StarColourClass(static_cast<int>(star.colour)));
        slot.radius = kStyle.starRadius[static_cast<std::size_t>(star.size)];
        const std::string name = StarItemName(component.letter, ++starNumber);
        slot.tooltip = name + ": " + StarDescription(star);
        description += " " + slot.tooltip + ".";
        std::string spectral = std::string(SpectralLetter(star.colour)) + std::string(LuminosityNumeral(star.size));
        slot.lines = {name + " (" + spectral + ")", std::string(StarColourName(star.colour)),
                      std::string(StarSizeName(star.size))};
        row.stars.push_back(std::move(slot));
    }
}

// The size a body is drawn at: one for all where sizes are hidden, and where
// Capacity is, the first of the sizes sharing its name, since the three Huge
// sizes differ in Capacity alone.
HighObjectSize DrawnSize(HighObjectSize size, PlayerFields hidden)
{
    if (hidden.Has(Size)) {
        return HighObjectSize::Medium;
    }
    while (hidden.Has(Capacity) && size > HighObjectSize::Tiny &&
           HighObjectSizeName(static_cast<HighObjectSize>(static_cast<int>(size) - 1)) == HighObjectSizeName(size)) {
        size = static_cast<HighObjectSize>(static_cast<int>(size) - 1);
    }
    return size;
}

BodySlot HighObjectSlot(const std::string& number, const HighObject& object, PlayerFields hidden)
{
    const std::string kind =
        ShownText(hidden, Size, HighObjectSizeName(object.size)) + " " + ShownText(hidden, Type, HighObjectTypeName(object.type));
    const double radius = kStyle.objectRadius[static_cast<std::size_t>(DrawnSize(object.size, hidden))];
    BodySlot slot = hidden.Has(Type) ? UnknownSlot("object", radius) : ObjectSlot(HighObjectTypeName(object.type), radius);
    slot.gaiaWorld = object.gaiaWorld && !hidden.Has(Special);
    slot.tooltip = "Object " + number + ": " + kind;
    if (!hidden.Has(Special)) {
        slot.tooltip.append("; ").append(object.special);
    }
    if (!hidden.Has(Moons)) {
        int moonNumber = 0;
        for (const HighMoon& moon : object.moons) {
            slot.moonTooltips.push_back("Moon " + number + "." + std::to_string(++moonNumber) + ": " +
                                        StatLine("Capacity", moon.capacity, hidden.Has(Capacity)) + ", " +
                                        StatLine("Raw", moon.raw, hidden.Has(Raw)));
        }
    }
    slot.lines = {number, kind, StatLine("Capacity", object.capacity, hidden.Has(Capacity)),
                  StatLine("Raw", object.raw, hidden.Has(Raw))};
    AddCensusLines(slot.lines, object.census, hidden.Has(Census));
    AddSpecialLines(slot.lines, object.special, hidden.Has(Special));
    if (!hidden.Has(Moons)) {
        AddHighMoonLines(slot.lines, object.moons, hidden.Has(Capacity), hidden.Has(Raw));
    }
    return slot;
}

}  // namespace

SystemPicture HighSystemPicture(int systemNumber, const HighSystem& system, std::string_view name,
                                PlayerFields hidden)
{
    std::vector<BodyRow> rows;
    std::string description = PictureTitle(systemNumber, name) + " at High detail.";
    for (const StarComponent& component : system.components) {
        BodyRow row;
        AddStars(row, component, hidden, description);
        int objectIndex = 0;
        for (const HighObject& object : component.objects) {
            const std::string number = HighObjectNumber(systemNumber, component.letter, objectIndex++);
            row.zones[static_cast<std::size_t>(object.zone)].push_back(HighObjectSlot(number, object, hidden));
        }
        rows.push_back(std::move(row));
    }
    std::size_t objects = 0;
    std::size_t moons = 0;
    for (const BodyRow& row : rows) {
        for (const std::vector<BodySlot>& zone : row.zones) {
            objects += zone.size();
            for (const BodySlot& body : zone) {
                moons += body.moonTooltips.size();
            }
        }
    }
    description += " " + std::to_string(objects) + " objects";
    description += hidden.Has(Moons) ? "." : " and " + std::to_string(moons) + " moons.";
    return LayOutRows(PictureTitle(systemNumber, name), std::move(description), rows);
}

SystemPicture PictureOf(int systemNumber, const SystemRecord& system, std::string_view name, PlayerFields hidden)
{
    struct ByLevel {
        int number;
        std::string_view name;
        PlayerFields hidden;
        SystemPicture operator()(const LowSystem& low) const { return LowSystemPicture(number, low, name, hidden); }
        SystemPicture operator()(const MediumSystem& medium) const
        {
            return MediumSystemPicture(number, medium, name, hidden);
        }
        SystemPicture operator()(const HighSystem& high) const { return HighSystemPicture(number, high, name, hidden); }
    };
    return std::visit(ByLevel{systemNumber, name, hidden}, system);
}

std::string SystemSvg(int systemNumber, const SystemRecord& system, std::string_view name, PlayerFields hidden,
                      PictureLegend legend)
{
    SystemPicture picture = PictureOf(systemNumber, system, name, hidden);
    if (legend == PictureLegend::Below) {
        AddLegendBelow(picture, LevelOf(system));
    }
    return SvgDocument(picture);
}

std::string PictureTitle(int systemNumber, std::string_view name)
{
    std::string title = SystemName(systemNumber);
    if (!name.empty()) {
        title.append(": ").append(name);
    }
    return title;
}

}  // namespace nexmar
