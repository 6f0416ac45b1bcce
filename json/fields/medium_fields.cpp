#include "json/fields/medium_fields.h"

#include "gen/medium/medium_object.h"
#include "gen/medium/medium_system.h"
#include "json/fields/document_fields.h"
#include "json/private/field_keys.h"
#include "json/private/field_writer.h"
#include "json/private/json_checks.h"

// The writer and the reader of a Medium system, side by side.
namespace nexmar {

using namespace json_field;
using Value = JsonValue;

namespace {

ordered_json MediumObjectJson(int slot, const MediumObject& object, const SystemEdits* edited)
{
    ordered_json json;
    WriteRows(json, kMediumObjectRows, object, slot, [&](std::string_view key, ordered_json& json) {
        if (key == kMoons) {
            ordered_json moons = ordered_json::array();
            for (const std::string_view moon : object.moons) {
                moons.push_back(Text(moon));
            }
            json[kMoons] = std::move(moons);
        } else if (edited != nullptr) {
            WriteObjectNote(json, key, *edited, MediumObjectPlace(slot));
        }
    });
    return json;
}

}  // namespace

ordered_json SystemJson(int number, const MediumSystem& system, const SectorEdits& edits, const SystemHead& place)
{
    const SystemEdits* edited = edits.Find(number);
    ordered_json json = SystemHeadJson(number, edits, edited, place);
    WriteRows(json, kMediumSystemRows, system, number, [&](std::string_view, ordered_json& json) {
        ordered_json objects = ordered_json::array();
        int slot = 0;
        for (const MediumObject& object : system.objects) {
            objects.push_back(MediumObjectJson(++slot, object, edited));
        }
        json[kObjects] = std::move(objects);
    });
    return json;
}

namespace {

constexpr MediumObjectType kMediumTypes[] = {MediumObjectType::Hostile, MediumObjectType::SubTerrestrial,
                                             MediumObjectType::Terrestrial, MediumObjectType::GasGiant,
                                             MediumObjectType::AsteroidBelt};
constexpr ValueClass kValueClasses[] = {ValueClass::None, ValueClass::VeryLow, ValueClass::Low,
                                        ValueClass::Moderate, ValueClass::High, ValueClass::VeryHigh};

MediumObject ReadMediumObject(const Value& object, int slot, std::optional<OrbitZone> previousZone, bool census,
                              int format)
{
    static const std::vector<std::string_view> specials = MediumSpecialTexts();
    static const std::vector<std::string_view> moons = MediumMoonTexts();
    const FieldKeys& keys = FieldKeys::Of<kMediumObjectRows>(census, format);
    object.Fields(keys.Required(), keys.Optional());
    object.CheckNumber(slot);
    MediumObject record;
    record.zone = ReadZone(object, previousZone);
    record.type = object.At(kType).Named(kMediumTypes, MediumObjectTypeName);
    const Value value = object.At(kValue);
    if (!value.IsNull()) {
        record.value = value.Named(kValueClasses, ValueClassName);
    }
    record.special = object.At(kSpecial).OneOf(specials);
    const std::size_t mostMoons = static_cast<std::size_t>(kMediumMostMoons);
    for (const Value& moon : object.At(kMoons).Elements(0, mostMoons, "moon results")) {
        record.moons.push_back(moon.OneOf(moons));
    }
    // The zone's rows for the type decide which value classes, specials and
    // moon counts go together, and with them Capacity and RAW exactly.
    const std::optional<MediumObjectValues> made = MediumObjectValuesOf(record);
    if (!made) {
        object.At(kType).Expected("a type that a row of the " + std::string(OrbitZoneName(record.zone)) +
                                  " zone gives with this value class, special and " +
                                  std::to_string(record.moons.size()) + " moons");
    }
    record.capacity = object.At(kCapacity).Int(made->capacity, made->capacity);
    record.raw = object.At(kRaw).Int(made->raw, made->raw);
    if (census) {
        record.census = MediumObjectCensus(record.capacity);
        CheckCensus(object, *record.census);
    }
    return record;
}


}  // namespace

MediumSystem ReadMediumSystem(const Value& system, int number, bool census, int format)
{
    const FieldKeys& keys = FieldKeys::Of<kSystemHeadRows, kMediumSystemRows>(false, format);
    system.Fields(keys.Required(), keys.Optional());
    system.CheckNumber(number);
    MediumSystem record;
    int slot = 0;
    std::optional<OrbitZone> previousZone;
    const Value objects = system.At(kObjects);
    int byZone[std::size(kOrbitZones)] = {};
    for (const Value& object : objects.Elements(1, static_cast<std::size_t>(kMediumMostObjects), "objects")) {
        record.objects.push_back(ReadMediumObject(object, ++slot, previousZone, census, format));
        previousZone = record.objects.back().zone;
        ++byZone[static_cast<int>(record.objects.back().zone)];
    }
    if (!MediumLayoutGives(byZone[0], byZone[1], byZone[2])) {
        objects.Expected("as many objects in each zone as a row of the layout table gives");
    }
    return record;
}

}  // namespace nexmar
