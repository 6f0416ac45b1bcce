#pragma once

#include "gen/record_text.h"
#include "gen/records.h"
#include "json/fields/field_row.h"
#include "json/json_format.h"

// A Medium system's fields after its head (document_fields.h), and those of
// its objects and moons, in the writer's order; their checks and their
// writer are in medium_fields.cpp.
namespace nexmar::json_field {

inline constexpr Row<MediumSystem> kMediumSystemRows[] = {
    {.key = kObjects},
};

// A Medium object's value class, and the document's text for an object without one.
inline std::span<const std::string_view> ValueNames()
{
    static const std::array<std::string_view, 7> names = [] {
        std::array<std::string_view, 7> all{};
        const std::span<const std::string_view> classes = NamesOf<ValueClass, 6, ValueClassName>();
        std::copy(classes.begin(), classes.end(), all.begin());
        all.back() = ValueText(std::nullopt);
        return all;
    }();
    return names;
}

// An object's notes come last.
inline constexpr Row<MediumObject> kMediumObjectRows[] = {
    {.key = kNumber, .place = true},
    {.key = kZone,
     .text = NameOf<&MediumObject::zone, OrbitZoneName>,
     .names = NamesOf<OrbitZone, 3, OrbitZoneName>},
    {.key = kType,
     .text = NameOf<&MediumObject::type, MediumObjectTypeName>,
     .names = NamesOf<MediumObjectType, 5, MediumObjectTypeName>},
    {.key = kValue,
     .text = [](const MediumObject& object) { return object.value ? Present(ValueClassName(*object.value)) : FieldText{}; },
     .nullWhenAbsent = true,
     .names = ValueNames},
    {.key = kCapacity, .number = NumberOf<&MediumObject::capacity>},
    {.key = kRaw, .number = NumberOf<&MediumObject::raw>},
    {.key = kCensus, .when = When::Census, .number = CensusOf<&CensusValues::census>},
    {.key = kMorale, .when = When::Census, .number = CensusOf<&CensusValues::morale>},
    {.key = kProductivity, .when = When::Census, .number = CensusOf<&CensusValues::productivity>},
    {.key = kSpecial, .text = SpecialOf},
    {.key = kMoons, .number = MoonCountOf, .writtenByHand = true},
    {.key = kNotes, .when = When::Edited},
    {.key = kPlayerNotes, .when = When::Edited},
};

// A moon of a Medium object is its result, a text of the moon table: one
// field without a key, which the query calls "moon".
inline constexpr Row<std::string_view> kMediumMoonRows[] = {
    {.key = {}, .text = [](const std::string_view& moon) { return Present(moon); }},
};

}  // namespace nexmar::json_field
