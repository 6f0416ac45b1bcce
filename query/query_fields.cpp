#include "query/query_fields.h"

#include <algorithm>
#include <vector>

#include <optional>
#include <type_traits>
#include <utility>

#include "json/fields/high_fields.h"
#include "json/fields/low_fields.h"
#include "json/fields/medium_fields.h"

namespace nexmar {

namespace {

using namespace json_field;
using enum QueryScope;
using enum QueryFieldKind;

// The part of the focus a table's rows read: a record it points to, or the
// system's head it holds.
template <auto Part>
const auto* PartOf(const QueryFocus& focus)
{
    if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(focus.*Part)>>) {
        return focus.*Part;
    } else {
        return &(focus.*Part);
    }
}

// Readers of a row, absent where the system lacks the part.
template <auto Part, auto Place>
std::optional<int> PlaceOf(const QueryFocus& focus)
{
    return PartOf<Part>(focus) ? std::optional<int>(focus.*Place) : std::nullopt;
}

template <auto Part, auto Read>
std::optional<int> NumberRead(const QueryFocus& focus)
{
    const auto* part = PartOf<Part>(focus);
    return part ? Read(*part) : std::nullopt;
}

template <auto Part, auto Read>
QueryText TextRead(const QueryFocus& focus)
{
    const auto* part = PartOf<Part>(focus);
    return part ? Read(*part) : QueryText{};
}

template <auto Part, auto Read>
bool FlagRead(const QueryFocus& focus)
{
    const auto* part = PartOf<Part>(focus);
    return part && Read(*part);
}

// The field of the row at Index of Rows, which the query reads in the part
// of the focus at Part (Place: its number there); none for a row that no
// reader reads from the record. Prefixed: the part's fields are named
// "star.size", so a field's key alone is one more name of it.
template <QueryScope Scope, bool Prefixed, auto Part, auto Place, const auto& Rows, std::size_t Index>
constexpr std::optional<QueryField> RowField()
{
    constexpr auto& row = Rows[Index];
    if constexpr (!row.Read()) {
        return std::nullopt;
    } else {
        QueryField field{.scope = Scope, .key = row.key, .kind = Number};
        if constexpr (row.place) {
            field.number = PlaceOf<Part, Place>;
        } else if constexpr (row.number) {
            field.number = NumberRead<Part, row.number.read>;
        } else if constexpr (row.flag) {
            field.kind = Flag;
            field.flag = FlagRead<Part, row.flag.read>;
        } else {
            field.kind = Text;
            field.text = TextRead<Part, row.text.read>;
        }
        field.shortName = Prefixed || row.shortName != row.key ? row.shortName : std::string_view();
        field.names = row.names;
        field.referee = row.referee;
        return field;
    }
}

// The fields of one table, each in its row's place or none.
template <QueryScope Scope, bool Prefixed, auto Part, auto Place, const auto& Rows>
constexpr auto TableFields()
{
    return []<std::size_t... Index>(std::index_sequence<Index...>) {
        return std::array<std::optional<QueryField>, sizeof...(Index)>{
            RowField<Scope, Prefixed, Part, Place, Rows, Index>()...};
    }(std::make_index_sequence<std::size(Rows)>());
}

// The fields of tables in the document's order, those the rows read.
template <class... Tables>
constexpr std::size_t CountRead(const Tables&... tables)
{
    std::size_t count = 0;
    const auto add = [&count](const auto& table) {
        for (const std::optional<QueryField>& field : table) {
            count += field.has_value() ? 1 : 0;
        }
    };
    (add(tables), ...);
    return count;
}

template <std::size_t Count, class... Tables>
constexpr std::array<QueryField, Count> Joined(const Tables&... tables)
{
    std::array<QueryField, Count> joined{};
    std::size_t at = 0;
    const auto add = [&](const auto& table) {
        for (const std::optional<QueryField>& field : table) {
            if (field) {
                joined[at++] = *field;
            }
        }
    };
    (add(tables), ...);
    return joined;
}

constexpr auto kNoPlace = nullptr;

// A system's head at a level whose system fields go unprefixed or not.
template <bool Prefixed>
constexpr auto kHeadFields = TableFields<System, Prefixed, &QueryFocus::head, &QueryFocus::system, kSystemHeadRows>();

constexpr auto kLowOwnFields = TableFields<System, false, &QueryFocus::low, kNoPlace, kLowSystemRows>();
constexpr auto kLowFields =
    Joined<CountRead(kHeadFields<false>, kLowOwnFields)>(kHeadFields<false>, kLowOwnFields);

constexpr auto kMediumObjectFields =
    TableFields<Object, false, &QueryFocus::mediumObject, &QueryFocus::objectNumber, kMediumObjectRows>();
constexpr auto kMediumMoonFields = TableFields<Moon, true, &QueryFocus::mediumMoon, kNoPlace, kMediumMoonRows>();
constexpr auto kMediumFields = Joined<CountRead(kHeadFields<true>, kMediumObjectFields, kMediumMoonFields)>(
    kHeadFields<true>, kMediumObjectFields, kMediumMoonFields);

constexpr auto kComponentFields =
    TableFields<Component, true, &QueryFocus::component, kNoPlace, kComponentRows>();
constexpr auto kStarFields = TableFields<Star, true, &QueryFocus::star, &QueryFocus::starNumber, kStarRows>();
constexpr auto kHighObjectFields =
    TableFields<Object, false, &QueryFocus::highObject, &QueryFocus::objectNumber, kHighObjectRows>();
constexpr auto kHighMoonFields =
    TableFields<Moon, true, &QueryFocus::highMoon, &QueryFocus::moonNumber, kHighMoonRows>();
constexpr auto kHighFields =
    Joined<CountRead(kHeadFields<true>, kComponentFields, kStarFields, kHighObjectFields, kHighMoonFields)>(
        kHeadFields<true>, kComponentFields, kStarFields, kHighObjectFields, kHighMoonFields);

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

const QueryField kWithinField{.scope = System, .key = "within", .kind = Number, .referee = true};

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
        // The edits are at least the difference in length: a candidate that
        // cannot come nearer than the best is not measured, so a long typed
        // text (a query may be pasted whole) costs no more than its length.
        const std::size_t apart = std::max(typed.size(), candidate.size()) - std::min(typed.size(), candidate.size());
        if (apart >= best) {
            continue;
        }
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
