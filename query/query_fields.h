#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/hex_place.h"
#include "gen/records.h"
#include "json/fields/document_fields.h"

namespace nexmar {

// The fields a system query reads: the fields of the run document's tables
// (json/fields/) that their rows read from the records, under their keys
// and in the document's order.

// The part of a system a field belongs to. A query names a part by the
// singular of its array in the document ("star.size" for stars[].size);
// an object's fields go unprefixed, and so do a Low system's.
enum class QueryScope { System, Component, Star, Object, Moon };
inline constexpr int kQueryScopeCount = 5;

// One part of each kind, chosen together: a component, one of its stars,
// one of its objects, one of that object's moons. A null part is one the
// system lacks (a component without objects): its fields are absent.
struct QueryFocus {
    int system = 0;
    const LowSystem* low = nullptr;
    const StarComponent* component = nullptr;
    const Star* star = nullptr;
    int starNumber = 0;  // in its component, from 1
    const MediumObject* mediumObject = nullptr;
    const HighObject* highObject = nullptr;
    int objectNumber = 0;
    const std::string_view* mediumMoon = nullptr;
    const HighMoon* highMoon = nullptr;
    int moonNumber = 0;
    // What the sector's edits say of the system, where the caller knows
    // them (a name): its name, notes, player notes and visibility; and its
    // place, where the caller knows the run's places.
    json_field::SystemHead head = {};
    std::optional<HexPlace> place = std::nullopt;
};

// A text as consecutive pieces; not present where the field is absent.
using QueryText = json_field::FieldText;

enum class QueryFieldKind { Number, Text, Flag };

struct QueryField {
    QueryScope scope;
    std::string_view key;  // empty for a Medium moon, whose result is the moon itself
    QueryFieldKind kind;
    std::optional<int> (*number)(const QueryFocus&) = nullptr;
    QueryText (*text)(const QueryFocus&) = nullptr;
    bool (*flag)(const QueryFocus&) = nullptr;
    std::string_view shortName = {};  // also accepted: "gaia" for gaiaWorld
    // Every text the tables give the field, for a text field whose texts
    // are a closed set; null for a free text (a special, a description).
    std::span<const std::string_view> (*names)() = nullptr;
    bool referee = false;  // read from the sector's edits: the name, notes, player notes, visibility
};

// "within N of NAME": no field of the document but the hexes between the
// system and the one named, which the query compares as a number.
extern const QueryField kWithinField;

// Every field of a level's systems, in the document's order.
std::span<const QueryField> QueryFields(DetailLevel level);

// The field a query names ("star.size", "capacity", "gaia"), letter case
// aside; null when the level has none of that name.
const QueryField* FindQueryField(DetailLevel level, std::string_view name);

// The name a query gives the field: "star.size", "moon", "capacity".
std::string QueryFieldName(DetailLevel level, const QueryField& field);

// Of candidates, the one nearest to typed, letter case aside, when it is
// near enough to be a slip of the keyboard (a letter or two, for a long
// name); empty when none is.
std::string_view NearestName(std::string_view typed, std::span<const std::string_view> candidates);

}  // namespace nexmar
