#include "run/json_export.h"

#include <nlohmann/json.hpp>

#include "run/record_text.h"

namespace nexmar {

namespace {

using nlohmann::ordered_json;

// Texts go through the library's own escaping; string_view is not one of
// its string types.
std::string Text(std::string_view text)
{
    return std::string(text);
}

void AddCensus(ordered_json& object, const std::optional<CensusValues>& census)
{
    if (census) {
        object["census"] = census->census;
        object["morale"] = census->morale;
        object["productivity"] = census->productivity;
    }
}

ordered_json MediumObjectJson(int slot, const MediumObject& object)
{
    ordered_json json;
    json["number"] = slot;
    json["zone"] = Text(OrbitZoneName(object.zone));
    json["type"] = Text(MediumObjectTypeName(object.type));
    json["value"] = object.value ? ordered_json(Text(ValueClassName(*object.value))) : ordered_json(nullptr);
    json["capacity"] = object.capacity;
    json["raw"] = object.raw;
    AddCensus(json, object.census);
    json["special"] = Text(object.special);
    ordered_json moons = ordered_json::array();
    for (const std::string_view moon : object.moons) {
        moons.push_back(Text(moon));
    }
    json["moons"] = std::move(moons);
    return json;
}

ordered_json HighObjectJson(int number, const HighObject& object)
{
    ordered_json json;
    json["number"] = number;
    json["zone"] = Text(OrbitZoneName(object.zone));
    json["type"] = Text(HighObjectTypeName(object.type));
    json["size"] = Text(HighObjectSizeName(object.size));
    json["capacity"] = object.capacity;
    json["raw"] = object.raw;
    AddCensus(json, object.census);
    json["specialRoll"] = object.specialRoll;
    json["special"] = Text(object.special);
    json["gaiaWorld"] = object.gaiaWorld;
    ordered_json moons = ordered_json::array();
    int moonNumber = 0;
    for (const HighMoon& moon : object.moons) {
        moons.push_back({{"number", ++moonNumber}, {"capacity", moon.capacity}, {"raw", moon.raw}});
    }
    json["moons"] = std::move(moons);
    return json;
}

ordered_json StarJson(const Star& star)
{
    return {{"colour", Text(StarColourName(star.colour))},
            {"size", Text(StarSizeName(star.size))},
            {"spectralClass", Text(SpectralLetter(star.colour))},
            {"luminosityClass", Text(LuminosityNumeral(star.size))},
            {"description", StarDescription(star)}};
}

}  // namespace

JsonExport::JsonExport(const JsonRunHeader& header, Sink sink) : sink_(std::move(sink))
{
    // The head is one object whose closing brace gives way to the systems.
    ordered_json head;
    head["program"] = header.program;
    head["version"] = NEXMAR_VERSION;
    head["format"] = kJsonFormatVersion;
    head["seed"] = header.seed;
    head["detail"] = Text(DetailLevelName(header.level));
    head["census"] = header.census;
    std::string text = head.dump();
    text.pop_back();
    text += ",\"systems\":[";
    sink_(text);
}

void JsonExport::WriteSystem(const std::string& object)
{
    sink_(firstSystem_ ? "\n" : ",\n");
    sink_(object);
    firstSystem_ = false;
}

void JsonExport::OnLowSystem(int number, const LowSystem& system)
{
    ordered_json json;
    json["number"] = number;
    json["size"] = Text(LowSizeClassName(system.sizeClass));
    json["importance"] = Text(ImportanceName(system.importance));
    json["capacity"] = system.capacity;
    json["raw"] = system.raw;
    AddCensus(json, system.census);
    json["special"] = Text(system.special);
    WriteSystem(json.dump());
}

void JsonExport::OnMediumSystem(int number, const MediumSystem& system)
{
    ordered_json objects = ordered_json::array();
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        objects.push_back(MediumObjectJson(++slot, object));
    }
    ordered_json json;
    json["number"] = number;
    json["objects"] = std::move(objects);
    WriteSystem(json.dump());
}

void JsonExport::OnHighSystem(int number, const HighSystem& system)
{
    ordered_json components = ordered_json::array();
    for (const StarComponent& component : system.components) {
        ordered_json stars = ordered_json::array();
        for (const Star& star : component.stars) {
            stars.push_back(StarJson(star));
        }
        ordered_json objects = ordered_json::array();
        int objectNumber = 0;
        for (const HighObject& object : component.objects) {
            objects.push_back(HighObjectJson(++objectNumber, object));
        }
        components.push_back(
            {{"letter", std::string(1, component.letter)}, {"stars", std::move(stars)}, {"objects", std::move(objects)}});
    }
    ordered_json json;
    json["number"] = number;
    json["components"] = std::move(components);
    WriteSystem(json.dump());
}

void JsonExport::Finish()
{
    sink_(firstSystem_ ? "]}\n" : "\n]}\n");
}

}  // namespace nexmar
