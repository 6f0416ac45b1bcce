#include "query/query_fields.h"

#include "json/json_format.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

using namespace json_field;

QueryText Present(std::string_view text)
{
    return {.pieces = {text}, .count = 1, .present = true};
}

// Readers of a part's member, absent where the system lacks the part.

template <auto Part, auto Member>
std::optional<int> NumberOf(const QueryFocus& focus)
{
    const auto* part = focus.*Part;
    return part ? std::optional<int>(part->*Member) : std::nullopt;
}

template <auto Part, auto Member>
std::optional<int> CensusOf(const QueryFocus& focus)
{
    const auto* part = focus.*Part;
    return part && part->census ? std::optional<int>((*part->census).*Member) : std::nullopt;
}

template <auto Part>
std::optional<int> MoonCountOf(const QueryFocus& focus)
{
    const auto* part = focus.*Part;
    return part ? std::optional<int>(static_cast<int>(part->moons.size())) : std::nullopt;
}

template <auto Part, auto Member, auto Name>
QueryText NameOf(const QueryFocus& focus)
{
    const auto* part = focus.*Part;
    return part ? Present(Name(part->*Member)) : QueryText{};
}

template <auto Part>
QueryText SpecialOf(const QueryFocus& focus)
{
    const auto* part = focus.*Part;
    return part ? Present(part->special) : QueryText{};
}

// Numbers the document gives by position: a part's number is its place, from 1.
template <auto Part, auto Number>
std::optional<int> PlaceOf(const QueryFocus& focus)
{
    return focus.*Part ? std::optional<int>(focus.*Number) : std::nullopt;
}

std::optional<int> SystemNumber(const QueryFocus& focus)
{
    return focus.system;
}

QueryText MediumValue(const QueryFocus& focus)
{
    const MediumObject* object = focus.mediumObject;
    return object && object->value ? Present(ValueClassName(*object->value)) : QueryText{};
}

QueryText MediumMoon(const QueryFocus& focus)
{
    return focus.mediumMoon ? Present(*focus.mediumMoon) : QueryText{};
}

QueryText ComponentLetter(const QueryFocus& focus)
{
    return focus.component ? Present(std::string_view(&focus.component->letter, 1)) : QueryText{};
}

QueryText StarDescriptionOf(const QueryFocus& focus)
{
    if (!focus.star) {
        return {};
    }
    return {.pieces = StarDescriptionParts(*focus.star), .count = 7, .present = true};
}

QueryText SystemName(const QueryFocus& focus)
{
    return focus.named ? Present(focus.name) : QueryText{};
}

QueryText SystemNotes(const QueryFocus& focus)
{
    return focus.named ? Present(focus.notes) : QueryText{};
}

bool GaiaWorld(const QueryFocus& focus)
{
    return focus.highObject && focus.highObject->gaiaWorld;
}

constexpr auto kLow = &QueryFocus::low;
constexpr auto kMedium = &QueryFocus::mediumObject;
constexpr auto kHigh = &QueryFocus::highObject;
constexpr auto kStar = &QueryFocus::star;

using enum QueryScope;
using enum QueryFieldKind;

// A system's name and notes go unprefixed at every level: no part of it
// but the system has either.
constexpr QueryField kLowFields[] = {
    {System, kNumber, Number, SystemNumber},
    {System, kName, Text, nullptr, SystemName, nullptr, {}, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, {}, true},
    {System, kSize, Text, nullptr, NameOf<kLow, &LowSystem::sizeClass, LowSizeClassName>},
    {System, kImportance, Text, nullptr, NameOf<kLow, &LowSystem::importance, ImportanceName>},
    {System, kCapacity, Number, NumberOf<kLow, &LowSystem::capacity>},
    {System, kRaw, Number, NumberOf<kLow, &LowSystem::raw>},
    {System, kCensus, Number, CensusOf<kLow, &CensusValues::census>},
    {System, kMorale, Number, CensusOf<kLow, &CensusValues::morale>},
    {System, kProductivity, Number, CensusOf<kLow, &CensusValues::productivity>},
    {System, kSpecial, Text, nullptr, SpecialOf<kLow>},
};

constexpr QueryField kMediumFields[] = {
    {System, kNumber, Number, SystemNumber},
    {System, kName, Text, nullptr, SystemName, nullptr, kName, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, kNotes, true},
    {Object, kNumber, Number, PlaceOf<kMedium, &QueryFocus::objectNumber>},
    {Object, kZone, Text, nullptr, NameOf<kMedium, &MediumObject::zone, OrbitZoneName>},
    {Object, kType, Text, nullptr, NameOf<kMedium, &MediumObject::type, MediumObjectTypeName>},
    {Object, kValue, Text, nullptr, MediumValue},
    {Object, kCapacity, Number, NumberOf<kMedium, &MediumObject::capacity>},
    {Object, kRaw, Number, NumberOf<kMedium, &MediumObject::raw>},
    {Object, kCensus, Number, CensusOf<kMedium, &CensusValues::census>},
    {Object, kMorale, Number, CensusOf<kMedium, &CensusValues::morale>},
    {Object, kProductivity, Number, CensusOf<kMedium, &CensusValues::productivity>},
    {Object, kSpecial, Text, nullptr, SpecialOf<kMedium>},
    {Object, kMoons, Number, MoonCountOf<kMedium>},
    {Moon, {}, Text, nullptr, MediumMoon},
};

constexpr QueryField kHighFields[] = {
    {System, kNumber, Number, SystemNumber},
    {System, kName, Text, nullptr, SystemName, nullptr, kName, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, kNotes, true},
    {Component, kLetter, Text, nullptr, ComponentLetter},
    {Star, kColour, Text, nullptr, NameOf<kStar, &Star::colour, StarColourName>},
    {Star, kSize, Text, nullptr, NameOf<kStar, &Star::size, StarSizeName>},
    {Star, kSpectralClass, Text, nullptr, NameOf<kStar, &Star::colour, SpectralLetter>},
    {Star, kLuminosityClass, Text, nullptr, NameOf<kStar, &Star::size, LuminosityNumeral>},
    {Star, kDescription, Text, nullptr, StarDescriptionOf},
    {Object, kNumber, Number, PlaceOf<kHigh, &QueryFocus::objectNumber>},
    {Object, kZone, Text, nullptr, NameOf<kHigh, &HighObject::zone, OrbitZoneName>},
    {Object, kType, Text, nullptr, NameOf<kHigh, &HighObject::type, HighObjectTypeName>},
    {Object, kSize, Text, nullptr, NameOf<kHigh, &HighObject::size, HighObjectSizeName>},
    {Object, kCapacity, Number, NumberOf<kHigh, &HighObject::capacity>},
    {Object, kRaw, Number, NumberOf<kHigh, &HighObject::raw>},
    {Object, kCensus, Number, CensusOf<kHigh, &CensusValues::census>},
    {Object, kMorale, Number, CensusOf<kHigh, &CensusValues::morale>},
    {Object, kProductivity, Number, CensusOf<kHigh, &CensusValues::productivity>},
    {Object, kSpecialRoll, Number, NumberOf<kHigh, &HighObject::specialRoll>},
    {Object, kSpecial, Text, nullptr, SpecialOf<kHigh>},
    {Object, kGaiaWorld, Flag, nullptr, nullptr, GaiaWorld, "gaia"},
    {Object, kMoons, Number, MoonCountOf<kHigh>},
    {Moon, kNumber, Number, PlaceOf<&QueryFocus::highMoon, &QueryFocus::moonNumber>},
    {Moon, kCapacity, Number, NumberOf<&QueryFocus::highMoon, &HighMoon::capacity>},
    {Moon, kRaw, Number, NumberOf<&QueryFocus::highMoon, &HighMoon::raw>},
};

// The singular of each part's array: "star" for stars[].
constexpr std::string_view ScopeWord(QueryScope scope)
{
    switch (scope) {
    case System:
        return kSystems.substr(0, kSystems.size() - 1);
    case Component:
        return kComponents.substr(0, kComponents.size() - 1);
    case Star:
        return kStars.substr(0, kStars.size() - 1);
    case Object:
        return kObjects.substr(0, kObjects.size() - 1);
    case Moon:
        return kMoons.substr(0, kMoons.size() - 1);
    }
    return {};
}

// A Low system is its own record: its fields go unprefixed, like an object's.
QueryScope UnprefixedScope(DetailLevel level)
{
    return level == DetailLevel::Low ? System : Object;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::span<const QueryField> QueryFields(DetailLevel level)
{
    switch (level) {
    case DetailLevel::Low:
        return kLowFields;
    case DetailLevel::Medium:
        return kMediumFields;
    case DetailLevel::High:
        return kHighFields;
    }
    return {};
}

const QueryField* FindQueryField(DetailLevel level, std::string_view name)
{
    for (const QueryField& field : QueryFields(level)) {
        if (SameLetters(name, QueryFieldName(level, field)) ||
            (!field.shortName.empty() && SameLetters(name, field.shortName))) {
            return &field;
        }
    }
    // "object.type" and, at Low, "system.capacity" name the unprefixed fields too.
    const std::string_view prefix = ScopeWord(UnprefixedScope(level));
    if (name.size() > prefix.size() + 1 && SameLetters(name.substr(0, prefix.size()), prefix) &&
        name[prefix.size()] == '.') {
        const QueryField* field = FindQueryField(level, name.substr(prefix.size() + 1));
        if (field && field->scope == UnprefixedScope(level)) {
            return field;
        }
    }
    return nullptr;
}

std::string QueryFieldName(DetailLevel level, const QueryField& field)
{
    if (field.scope == UnprefixedScope(level)) {
        return std::string(field.key);
    }
    std::string name(ScopeWord(field.scope));
    if (!field.key.empty()) {
        name.append(".").append(field.key);
    }
    return name;
}

}  // namespace nexmar
