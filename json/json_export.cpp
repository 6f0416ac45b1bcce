#include "json/json_export.h"

#include <nlohmann/json.hpp>

#include <variant>

#include "json/json_format.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

using nlohmann::ordered_json;
using namespace json_field;

// Texts go through the library's own escaping; string_view is not one of
// its string types.
std::string Text(std::string_view text)
{
    return std::string(text);
}

void AddCensus(ordered_json& object, const std::optional<CensusValues>& census)
{
    if (census) {
        object[kCensus] = census->census;
        object[kMorale] = census->morale;
        object[kProductivity] = census->productivity;
    }
}

// The head of a system: its number, its name, and the seed it was rolled
// again from and its notes where it has them.
ordered_json SystemHead(int number, const SectorEdits& edits, const SystemEdits* edited)
{
    ordered_json json;
    json[kNumber] = number;
    json[kName] = edits.Name(number);
    if (edited != nullptr && edited->seed) {
        json[kSeed] = *edited->seed;
    }
    if (edited == nullptr) {
        return json;
    }
    if (!edited->notes.empty()) {
        json[kNotes] = edited->notes;
    }
    if (!edited->playerNotes.empty()) {
        json[kPlayerNotes] = edited->playerNotes;
    }
    if (edited->visibility != Visibility::Known) {
        json[kVisibility] = Text(VisibilityName(edited->visibility));
    }
    if (edited->hidden) {
        ordered_json hidden = ordered_json::array();
        for (const PlayerField field : kPlayerFields) {
            if (edited->hidden->Has(field)) {
                hidden.push_back(Text(PlayerFieldName(field)));
            }
        }
        json[kHidden] = std::move(hidden);
    }
    return json;
}

void AddObjectNotes(ordered_json& object, const SystemEdits* edited, const std::string& place)
{
    if (edited == nullptr) {
        return;
    }
    if (const auto notes = edited->objectNotes.find(place); notes != edited->objectNotes.end()) {
        object[kNotes] = notes->second;
    }
    if (const auto notes = edited->objectPlayerNotes.find(place); notes != edited->objectPlayerNotes.end()) {
        object[kPlayerNotes] = notes->second;
    }
}

ordered_json MediumObjectJson(int slot, const MediumObject& object, const SystemEdits* edited)
{
    ordered_json json;
    json[kNumber] = slot;
    json[kZone] = Text(OrbitZoneName(object.zone));
    json[kType] = Text(MediumObjectTypeName(object.type));
    json[kValue] = object.value ? ordered_json(Text(ValueClassName(*object.value))) : ordered_json(nullptr);
    json[kCapacity] = object.capacity;
    json[kRaw] = object.raw;
    AddCensus(json, object.census);
    json[kSpecial] = Text(object.special);
    ordered_json moons = ordered_json::array();
    for (const std::string_view moon : object.moons) {
        moons.push_back(Text(moon));
    }
    json[kMoons] = std::move(moons);
    AddObjectNotes(json, edited, MediumObjectPlace(slot));
    return json;
}

ordered_json HighObjectJson(char letter, int number, const HighObject& object, const SystemEdits* edited)
{
    ordered_json json;
    json[kNumber] = number;
    json[kZone] = Text(OrbitZoneName(object.zone));
    json[kType] = Text(HighObjectTypeName(object.type));
    json[kSize] = Text(HighObjectSizeName(object.size));
    json[kCapacity] = object.capacity;
    json[kRaw] = object.raw;
    AddCensus(json, object.census);
    json[kSpecialRoll] = object.specialRoll;
    json[kSpecial] = Text(object.special);
    json[kGaiaWorld] = object.gaiaWorld;
    ordered_json moons = ordered_json::array();
    int moonNumber = 0;
    for (const HighMoon& moon : object.moons) {
        moons.push_back({{kNumber, ++moonNumber}, {kCapacity, moon.capacity}, {kRaw, moon.raw}});
    }
    json[kMoons] = std::move(moons);
    AddObjectNotes(json, edited, HighObjectPlace(letter, number));
    return json;
}

ordered_json StarJson(const Star& star)
{
    return {{kColour, Text(StarColourName(star.colour))},
            {kSize, Text(StarSizeName(star.size))},
            {kSpectralClass, Text(SpectralLetter(star.colour))},
            {kLuminosityClass, Text(LuminosityNumeral(star.size))},
            {kDescription, StarDescription(star)}};
}

// A referee's text that is not UTF-8 is written with U+FFFD in its place
// rather than stopping the document.
std::string Dump(const ordered_json& json)
{
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

ordered_json SystemJson(int number, const LowSystem& system, const SectorEdits& edits)
{
    ordered_json json = SystemHead(number, edits, edits.Find(number));
    json[kSize] = Text(LowSizeClassName(system.sizeClass));
    json[kImportance] = Text(ImportanceName(system.importance));
    json[kCapacity] = system.capacity;
    json[kRaw] = system.raw;
    AddCensus(json, system.census);
    json[kSpecial] = Text(system.special);
    return json;
}

ordered_json SystemJson(int number, const MediumSystem& system, const SectorEdits& edits)
{
    const SystemEdits* edited = edits.Find(number);
    ordered_json objects = ordered_json::array();
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        objects.push_back(MediumObjectJson(++slot, object, edited));
    }
    ordered_json json = SystemHead(number, edits, edited);
    json[kObjects] = std::move(objects);
    return json;
}

ordered_json SystemJson(int number, const HighSystem& system, const SectorEdits& edits)
{
    const SystemEdits* edited = edits.Find(number);
    ordered_json components = ordered_json::array();
    for (const StarComponent& component : system.components) {
        ordered_json stars = ordered_json::array();
        for (const Star& star : component.stars) {
            stars.push_back(StarJson(star));
        }
        ordered_json objects = ordered_json::array();
        int objectNumber = 0;
        for (const HighObject& object : component.objects) {
            objects.push_back(HighObjectJson(component.letter, ++objectNumber, object, edited));
        }
        components.push_back(
            {{kLetter, std::string(1, component.letter)}, {kStars, std::move(stars)}, {kObjects, std::move(objects)}});
    }
    ordered_json json = SystemHead(number, edits, edited);
    json[kComponents] = std::move(components);
    return json;
}

}  // namespace

JsonExport::JsonExport(std::string_view program, Sink sink, const SectorEdits* edits)
    : program_(program), sink_(std::move(sink)), edits_(edits)
{
}

void JsonExport::Begin(const RunSettings& settings)
{
    if (edits_ == nullptr) {
        generatedNames_.emplace(settings.seed);
        edits_ = &*generatedNames_;
    }
    // The head is one object whose closing brace gives way to the systems.
    ordered_json head;
    head[kProgram] = program_;
    head[kVersion] = NEXMAR_VERSION;
    head[kFormat] = kJsonFormatVersion;
    head[kSeed] = settings.seed;
    head[kDetail] = Text(DetailLevelName(settings.level));
    head[kCensusOption] = settings.census;
    if (settings.systemsRolled > 0) {
        head[kSystemsRolled] = settings.systemsRolled;
    }
    std::string text = head.dump();
    text.pop_back();
    text += ",\"" + std::string(kSystems) + "\":[";
    sink_(text);
}

void JsonExport::Add(int number, const SystemRecord& system)
{
    sink_(firstSystem_ ? "\n" : ",\n");
    sink_(std::visit([&](const auto& levelSystem) { return Dump(SystemJson(number, levelSystem, *edits_)); }, system));
    firstSystem_ = false;
}

bool JsonExport::Finish()
{
    sink_(firstSystem_ ? "]}\n" : "\n]}\n");
    return true;
}

}  // namespace nexmar
