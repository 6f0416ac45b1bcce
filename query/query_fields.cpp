#include "query/query_fields.h"

#include <algorithm>
#include <vector>

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

QueryText SystemPlayerNotes(const QueryFocus& focus)
{
    return focus.named ? Present(focus.playerNotes) : QueryText{};
}

QueryText SystemVisibility(const QueryFocus& focus)
{
    return focus.named ? Present(focus.visibility) : QueryText{};
}

bool GaiaWorld(const QueryFocus& focus)
{
    return focus.highObject && focus.highObject->gaiaWorld;
}

// The names Name gives each of an enum's count values, from 0.
template <class Enum, int Count, auto Name>
std::span<const std::string_view> NamesOf()
{
    static const std::array<std::string_view, Count> names = [] {
        std::array<std::string_view, Count> all{};
        for (int value = 0; value < Count; ++value) {
            all[static_cast<std::size_t>(value)] = Name(static_cast<Enum>(value));
        }
        return all;
    }();
    return names;
}

// A Medium object's value class, and the document's text for an object without one.
std::span<const std::string_view> ValueNames()
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

constexpr auto kLow = &QueryFocus::low;
constexpr auto kMedium = &QueryFocus::mediumObject;
constexpr auto kHigh = &QueryFocus::highObject;
constexpr auto kStar = &QueryFocus::star;

using enum QueryScope;
using enum QueryFieldKind;

// A system's name, notes, player notes and visibility go unprefixed at
// every level: no part of it but the system has any of them.
constexpr QueryField kLowFields[] = {
    {System, kNumber, Number, SystemNumber},
    {System, kName, Text, nullptr, SystemName, nullptr, {}, nullptr, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, {}, nullptr, true},
    {System, kPlayerNotes, Text, nullptr, SystemPlayerNotes, nullptr, {}, nullptr, true},
    {System, kVisibility, Text, nullptr, SystemVisibility, nullptr, {}, NamesOf<Visibility, 3, VisibilityName>, true},
    {System, kSize, Text, nullptr, NameOf<kLow, &LowSystem::sizeClass, LowSizeClassName>, nullptr, {},
     NamesOf<LowSizeClass, 5, LowSizeClassName>},
    {System, kImportance, Text, nullptr, NameOf<kLow, &LowSystem::importance, ImportanceName>, nullptr, {},
     NamesOf<Importance, 3, ImportanceName>},
    {System, kCapacity, Number, NumberOf<kLow, &LowSystem::capacity>},
    {System, kRaw, Number, NumberOf<kLow, &LowSystem::raw>},
    {System, kCensus, Number, CensusOf<kLow, &CensusValues::census>},
    {System, kMorale, Number, CensusOf<kLow, &CensusValues::morale>},
    {System, kProductivity, Number, CensusOf<kLow, &CensusValues::productivity>},
    {System, kSpecial, Text, nullptr, SpecialOf<kLow>},
};

constexpr QueryField kMediumFields[] = {
    {System, kNumber, Number, SystemNumber},
    {System, kName, Text, nullptr, SystemName, nullptr, kName, nullptr, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, kNotes, nullptr, true},
    {System, kPlayerNotes, Text, nullptr, SystemPlayerNotes, nullptr, kPlayerNotes, nullptr, true},
    {System, kVisibility, Text, nullptr, SystemVisibility, nullptr, kVisibility,
     NamesOf<Visibility, 3, VisibilityName>, true},
    {Object, kNumber, Number, PlaceOf<kMedium, &QueryFocus::objectNumber>},
    {Object, kZone, Text, nullptr, NameOf<kMedium, &MediumObject::zone, OrbitZoneName>, nullptr, {},
     NamesOf<OrbitZone, 3, OrbitZoneName>},
    {Object, kType, Text, nullptr, NameOf<kMedium, &MediumObject::type, MediumObjectTypeName>, nullptr, {},
     NamesOf<MediumObjectType, 5, MediumObjectTypeName>},
    {Object, kValue, Text, nullptr, MediumValue, nullptr, {}, ValueNames},
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
    {System, kName, Text, nullptr, SystemName, nullptr, kName, nullptr, true},
    {System, kNotes, Text, nullptr, SystemNotes, nullptr, kNotes, nullptr, true},
    {System, kPlayerNotes, Text, nullptr, SystemPlayerNotes, nullptr, kPlayerNotes, nullptr, true},
    {System, kVisibility, Text, nullptr, SystemVisibility, nullptr, kVisibility,
     NamesOf<Visibility, 3, VisibilityName>, true},
    {Component, kLetter, Text, nullptr, ComponentLetter},
    {Star, kColour, Text, nullptr, NameOf<kStar, &Star::colour, StarColourName>, nullptr, {},
     NamesOf<StarColour, 7, StarColourName>},
    {Star, kSize, Text, nullptr, NameOf<kStar, &Star::size, StarSizeName>, nullptr, {},
     NamesOf<StarSize, 5, StarSizeName>},
    {Star, kSpectralClass, Text, nullptr, NameOf<kStar, &Star::colour, SpectralLetter>, nullptr, {},
     NamesOf<StarColour, 7, SpectralLetter>},
    {Star, kLuminosityClass, Text, nullptr, NameOf<kStar, &Star::size, LuminosityNumeral>, nullptr, {},
     NamesOf<StarSize, 5, LuminosityNumeral>},
    {Star, kDescription, Text, nullptr, StarDescriptionOf},
    {Object, kNumber, Number, PlaceOf<kHigh, &QueryFocus::objectNumber>},
    {Object, kZone, Text, nullptr, NameOf<kHigh, &HighObject::zone, OrbitZoneName>, nullptr, {},
     NamesOf<OrbitZone, 3, OrbitZoneName>},
    {Object, kType, Text, nullptr, NameOf<kHigh, &HighObject::type, HighObjectTypeName>, nullptr, {},
     NamesOf<HighObjectType, 5, HighObjectTypeName>},
    {Object, kSize, Text, nullptr, NameOf<kHigh, &HighObject::size, HighObjectSizeName>, nullptr, {},
     NamesOf<HighObjectSize, 7, HighObjectSizeName>},
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
    const auto named = [level](std::string_view text, bool unprefixedOnly) -> const QueryField* {
        for (const QueryField& field : QueryFields(level)) {
            if ((SameLetters(text, QueryFieldName(level, field)) ||
                 (!field.shortName.empty() && SameLetters(text, field.shortName))) &&
                (!unprefixedOnly || field.scope == UnprefixedScope(level))) {
                return &field;
            }
        }
        return nullptr;
    };
    if (const QueryField* field = named(name, false)) {
        return field;
    }
    // "object.type" and, at Low, "system.capacity" name the unprefixed
    // fields too, however often the prefix is written. No field's name
    // begins with it, so every one is stripped first, in a loop.
    const std::string_view prefix = ScopeWord(UnprefixedScope(level));
    bool stripped = false;
    while (name.size() > prefix.size() + 1 && SameLetters(name.substr(0, prefix.size()), prefix) &&
           name[prefix.size()] == '.') {
        name.remove_prefix(prefix.size() + 1);
        stripped = true;
    }
    return stripped ? named(name, true) : nullptr;
}

std::string_view NearestName(std::string_view typed, std::span<const std::string_view> candidates)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    // Edits (a letter added, dropped or changed) from typed to each candidate.
    const auto distance = [&](std::string_view to) {
        std::vector<std::size_t> row(to.size() + 1);
        for (std::size_t j = 0; j <= to.size(); ++j) {
            row[j] = j;
        }
        for (std::size_t i = 1; i <= typed.size(); ++i) {
            std::size_t diagonal = row[0];
            row[0] = i;
            for (std::size_t j = 1; j <= to.size(); ++j) {
                const std::size_t above = row[j];
                row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                                   diagonal + (lower(typed[i - 1]) == lower(to[j - 1]) ? 0 : 1)});
                diagonal = above;
            }
        }
        return row[to.size()];
    };
    const std::size_t nearEnough = std::max<std::size_t>(2, typed.size() / 3);
    std::string_view nearest;
    std::size_t best = nearEnough + 1;
    for (const std::string_view candidate : candidates) {
        const std::size_t edits = distance(candidate);
        if (edits < best) {
            best = edits;
            nearest = candidate;
        }
    }
    return nearest;
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
