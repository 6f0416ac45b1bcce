#include "json/fields/high_fields.h"

#include <algorithm>
#include <iterator>

#include "gen/high/high_object.h"
#include "gen/high/high_system.h"
#include "gen/high/moons.h"
#include "gen/high/object_tables.h"
#include "gen/high/star_tables.h"
#include "gen/odds.h"
#include "json/fields/document_fields.h"
#include "json/private/field_keys.h"
#include "json/private/field_writer.h"
#include "json/private/json_checks.h"

// The writer and the reader of a High system, side by side.
namespace nexmar {

using namespace json_field;
using Value = JsonValue;

namespace {

ordered_json HighObjectJson(char letter, int number, const HighObject& object, const SystemEdits* edited)
{
    ordered_json json;
    WriteRows(json, kHighObjectRows, object, number, [&](std::string_view key, ordered_json& json) {
        if (key == kMoons) {
            ordered_json moons = ordered_json::array();
            int moonNumber = 0;
            for (const HighMoon& moon : object.moons) {
                ordered_json& written = moons.emplace_back();
                WriteRows(written, kHighMoonRows, moon, ++moonNumber);
            }
            json[kMoons] = std::move(moons);
        } else if (edited != nullptr) {
            WriteObjectNote(json, key, *edited, HighObjectPlace(letter, number));
        }
    });
    return json;
}

ordered_json ComponentJson(const StarComponent& component, const SystemEdits* edited)
{
    ordered_json json;
    WriteRows(json, kComponentRows, component, 0, [&](std::string_view key, ordered_json& json) {
        ordered_json parts = ordered_json::array();
        if (key == kStars) {
            for (const Star& star : component.stars) {
                WriteRows(parts.emplace_back(), kStarRows, star);
            }
        } else {
            int objectNumber = 0;
            for (const HighObject& object : component.objects) {
                parts.push_back(HighObjectJson(component.letter, ++objectNumber, object, edited));
            }
        }
        json[key] = std::move(parts);
    });
    return json;
}

}  // namespace

ordered_json SystemJson(int number, const HighSystem& system, const SectorEdits& edits, const SystemHead& place)
{
    const SystemEdits* edited = edits.Find(number);
    ordered_json json = SystemHeadJson(number, edits, edited, place);
    WriteRows(json, kHighSystemRows, system, number, [&](std::string_view, ordered_json& json) {
        ordered_json components = ordered_json::array();
        for (const StarComponent& component : system.components) {
            components.push_back(ComponentJson(component, edited));
        }
        json[kComponents] = std::move(components);
    });
    return json;
}

namespace {

constexpr StarColour kStarColours[] = {StarColour::ExtremelyHotBlue, StarColour::BlueB, StarColour::BlueA,
                                       StarColour::White, StarColour::Yellow, StarColour::Orange,
                                       StarColour::Red};
constexpr StarSize kStarSizes[] = {StarSize::Supergiant, StarSize::BrightGiant, StarSize::Giant,
                                   StarSize::SubGiant, StarSize::MainSequence};
constexpr HighObjectType kHighTypes[] = {HighObjectType::Asteroid, HighObjectType::GasGiant,
                                         HighObjectType::Hostile, HighObjectType::SubTerrestrial,
                                         HighObjectType::Terrestrial};
constexpr HighObjectSize kHighSizes[] = {HighObjectSize::Tiny,  HighObjectSize::Small,
                                         HighObjectSize::Medium, HighObjectSize::Large,
                                         HighObjectSize::Huge,  HighObjectSize::HugeCapacity7,
                                         HighObjectSize::HugeCapacity8};


Star ReadStar(const Value& star)
{
    star.Fields(FieldKeys::Of<kStarRows>(false, false).Required());
    const StarColour named = star.At(kColour).Named(kStarColours, StarColourName);
    // Two colours share the name Blue; the spectral class tells them apart.
    std::vector<std::string_view> letters;
    for (const StarColour colour : kStarColours) {
        if (StarColourName(colour) == StarColourName(named)) {
            letters.push_back(SpectralLetter(colour));
        }
    }
    const std::string_view letter = star.At(kSpectralClass).OneOf(letters);
    Star record;
    record.colour = *std::find_if(std::begin(kStarColours), std::end(kStarColours), [&](StarColour colour) {
        return StarColourName(colour) == StarColourName(named) && SpectralLetter(colour) == letter;
    });
    // Only the sizes the colour's size roll reaches.
    std::vector<std::string_view> sizes;
    for (const StarSize size : kStarSizes) {
        if (SizeOfColour(size, record.colour)) {
            sizes.push_back(StarSizeName(size));
        }
    }
    const std::string_view sizeName = star.At(kSize).OneOf(sizes);
    record.size = *std::find_if(std::begin(kStarSizes), std::end(kStarSizes),
                                [&](StarSize size) { return StarSizeName(size) == sizeName; });
    star.At(kLuminosityClass).OneOf({LuminosityNumeral(record.size)});
    const std::string description = StarDescription(record);
    star.At(kDescription).OneOf({description});
    return record;
}

// A moon is a row of the moon table that the object type's d10 reaches.
HighMoon ReadHighMoon(const Value& moon, HighObjectType type)
{
    std::vector<MoonTableRow> rows;
    for (int face = 1; face <= 10; ++face) {
        rows.push_back(HighMoonTable()[static_cast<std::size_t>(MoonRowFor(face, type))]);
    }
    const auto [fewest, most] = std::minmax_element(
        rows.begin(), rows.end(), [](const MoonTableRow& a, const MoonTableRow& b) { return a.capacity < b.capacity; });
    const Value capacity = moon.At(kCapacity);
    HighMoon read{capacity.Int(fewest->capacity, most->capacity), 0};
    std::vector<int> raws;
    for (const MoonTableRow& row : rows) {
        if (row.capacity == read.capacity) {
            raws.push_back(row.raw);
        }
    }
    if (raws.empty()) {
        capacity.Expected("a Capacity of a row of the moon table");
    }
    std::sort(raws.begin(), raws.end());
    read.raw = moon.At(kRaw).Int(raws.front(), raws.back());
    if (!std::binary_search(raws.begin(), raws.end(), read.raw)) {
        moon.At(kRaw).Expected("a RAW of a row of the moon table with Capacity " + std::to_string(read.capacity));
    }
    return read;
}

// The zone, which the first star's zone roll must reach, then the type
// within the zone's column and the size the type's d10 reaches.
// The one of values whose name value holds, among those allowed lets
// through; the first of that name. The list of the names allowed is made
// only to refuse a value, since every object of a document is read so.
template <class Enum, std::size_t N, class Allowed>
Enum ReadAllowed(const Value& value, const Enum (&values)[N], std::string_view (*name)(Enum), Allowed allowed)
{
    const std::string_view text = value.IsString() ? value.String() : std::string_view();
    const auto isNamed = [&](Enum each) { return value.IsString() && name(each) == text; };
    if (std::none_of(std::begin(values), std::end(values), [&](Enum each) { return allowed(each) && isNamed(each); })) {
        std::vector<std::string_view> names;
        for (const Enum each : values) {
            if (allowed(each) && std::find(names.begin(), names.end(), name(each)) == names.end()) {
                names.push_back(name(each));
            }
        }
        value.OneOf(names);
    }
    return *std::find_if(std::begin(values), std::end(values), isNamed);
}

void ReadZoneTypeAndSize(const Value& object, std::optional<OrbitZone> previousZone, const Star& star,
                         HighObject& record)
{
    record.zone = ReadZone(object, previousZone);
    ReadAllowed(object.At(kZone), kOrbitZones, OrbitZoneName,
                [&](OrbitZone zone) { return ZoneAroundStar(zone, star); });
    record.type = ReadAllowed(object.At(kType), kHighTypes, HighObjectTypeName,
                              [&](HighObjectType type) { return TypeInZone(type, record.zone); });
    record.size = ReadAllowed(object.At(kSize), kHighSizes, HighObjectSizeName, [&](HighObjectSize size) {
        return static_cast<bool>(SizeOfType(size, record.type));
    });
}

// The special roll the type's two d6 reach, and what it means.
void ReadSpecial(const Value& object, HighObject& record)
{
    const SpecialRollRange rolls = SpecialRollsOf(record.type);
    record.specialRoll = object.At(kSpecialRoll).Int(rolls.lowest, rolls.highest);
    record.special = object.At(kSpecial).OneOf({SpecialText(record.specialRoll)});
    record.gaiaWorld = record.specialRoll == kGaiaWorldRoll;
    const Value gaiaWorld = object.At(kGaiaWorld);
    if (gaiaWorld.Bool() != record.gaiaWorld) {
        gaiaWorld.Expected(record.gaiaWorld ? "true for special roll 13" : "false for a special roll other than 13");
    }
}

// The three Huge sizes share their name and differ only in Capacity, which
// tells them apart.
void ReadCapacity(const Value& object, bool census, HighObject& record)
{
    const Value capacity = object.At(kCapacity);
    std::vector<int> capacities;
    for (const HighObjectSize size : kHighSizes) {
        if (HighObjectSizeName(size) == HighObjectSizeName(record.size) && SizeOfType(size, record.type)) {
            capacities.push_back(HighObjectCapacity(record.type, size, record.specialRoll, census));
        }
    }
    const int lowest = *std::min_element(capacities.begin(), capacities.end());
    const int highest = *std::max_element(capacities.begin(), capacities.end());
    record.capacity = capacity.Int(lowest, highest);
    const auto size = std::find(capacities.begin(), capacities.end(), record.capacity);
    if (size == capacities.end()) {
        std::string expected = "one of";
        for (const int each : capacities) {
            expected.append(" ").append(std::to_string(each));
        }
        capacity.Expected(expected);
    }
    record.size = static_cast<HighObjectSize>(static_cast<int>(record.size) + (size - capacities.begin()));
}

HighObject ReadHighObject(const Value& object, int number, std::optional<OrbitZone> previousZone, const Star& star,
                          bool census, int format)
{
    const FieldKeys& keys = FieldKeys::Of<kHighObjectRows>(census, format);
    object.Fields(keys.Required(), keys.Optional());
    object.CheckNumber(number);
    HighObject record;
    ReadZoneTypeAndSize(object, previousZone, star, record);
    ReadSpecial(object, record);
    ReadCapacity(object, census, record);
    const TableRawRange tableRaws = TableRawsOf(record.type);
    record.raw = object.At(kRaw).Int(HighObjectRaw(tableRaws.lowest, record.specialRoll, census),
                                      HighObjectRaw(tableRaws.highest, record.specialRoll, census));
    if (census) {
        record.census = HighObjectCensus(record.capacity, record.specialRoll);
        CheckCensus(object, *record.census);
    }
    // An asteroid rolls no moons; any other object as many as a d10 with
    // its zone's and size's modifiers gives, each a row of the moon table.
    const MoonCountRange counts = record.type == HighObjectType::Asteroid ? MoonCountRange{}
                                                                          : MoonCountsFor(record.zone, record.size);
    int moonNumber = 0;
    for (const Value& moon : object.At(kMoons).Elements(static_cast<std::size_t>(counts.fewest),
                                                        static_cast<std::size_t>(counts.most), "moons")) {
        moon.Fields(FieldKeys::Of<kHighMoonRows>(false, false).Required());
        moon.CheckNumber(++moonNumber);
        const HighMoon read = ReadHighMoon(moon, record.type);
        record.moons.push_back(read);
    }
    return record;
}

// The star dice group the stars into components: the stars of each
// component read so far must begin one of their groupings. Worked out once
// from the rows, not once per system.
struct StarGroupingRule {
    std::vector<std::vector<int>> groupings = StarGroupings();
    std::string expected = "stars by component as the star roll groups them, one of";
};

const StarGroupingRule& TheStarGroupingRule()
{
    static const StarGroupingRule rule = [] {
        StarGroupingRule made;
        const char* separator = " ";
        for (const std::vector<int>& grouping : made.groupings) {
            made.expected += separator;
            separator = ", ";
            for (std::size_t at = 0; at < grouping.size(); ++at) {
                if (at != 0) {
                    made.expected += '+';
                }
                made.expected += std::to_string(grouping[at]);
            }
        }
        return made;
    }();
    return rule;
}


}  // namespace

HighSystem ReadHighSystem(const Value& system, int number, bool census, int format)
{
    const FieldKeys& keys = FieldKeys::Of<kSystemHeadRows, kHighSystemRows>(false, format);
    system.Fields(keys.Required(), keys.Optional());
    system.CheckNumber(number);
    const StarGroupingRule& rule = TheStarGroupingRule();
    const std::vector<std::vector<int>>& groupings = rule.groupings;
    const auto mostComponents = static_cast<std::size_t>(kHighMostComponents);
    const int mostStars = kHighMostStarsInAComponent;
    const std::string& expected = rule.expected;
    std::vector<int> starsByComponent;
    const auto groupingBegins = [&](const std::vector<int>& grouping) {
        return grouping.size() >= starsByComponent.size() &&
               std::equal(starsByComponent.begin(), starsByComponent.end(), grouping.begin());
    };

    HighSystem record;
    char letter = 'A';
    const Value components = system.At(kComponents);
    for (const Value& component : components.Elements(1, mostComponents, "components")) {
        component.Fields(FieldKeys::Of<kComponentRows>(false, false).Required());
        StarComponent& read = record.components.emplace_back();
        read.letter = letter++;
        component.At(kLetter).OneOf({std::string_view(&read.letter, 1)});
        const Value stars = component.At(kStars);
        for (const Value& star : stars.Elements(1, static_cast<std::size_t>(mostStars), "stars")) {
            read.stars.push_back(ReadStar(star));
        }
        starsByComponent.push_back(static_cast<int>(read.stars.size()));
        if (std::none_of(groupings.begin(), groupings.end(), groupingBegins)) {
            stars.Expected(expected);
        }
        std::optional<OrbitZone> previousZone;
        int objectNumber = 0;
        for (const Value& object :
             component.At(kObjects).Elements(0, static_cast<std::size_t>(kComponentObjectDie), "objects")) {
            read.objects.push_back(
                ReadHighObject(object, ++objectNumber, previousZone, read.stars.front(), census, format));
            previousZone = read.objects.back().zone;
        }
    }
    if (std::find(groupings.begin(), groupings.end(), starsByComponent) == groupings.end()) {
        components.Expected(expected);
    }
    return record;
}

}  // namespace nexmar
