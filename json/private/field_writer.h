#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "json/fields/document_fields.h"
#include "json/fields/field_row.h"

namespace nexmar::json_field {

using nlohmann::ordered_json;

// The largest integer every JSON reader holds exactly: JavaScript's numbers
// are doubles, whose integers are exact up to 2^53 - 1.
inline constexpr Seed kLargestSeedNumber = (Seed{1} << 53) - 1;

// A seed as the document writes it: a number up to kLargestSeedNumber, a
// string of its decimal digits beyond, so no reader rounds it.
inline ordered_json SeedJson(Seed seed)
{
    if (seed <= kLargestSeedNumber) {
        return seed;
    }
    return std::to_string(seed);
}

// A text of several pieces (a star's description) as the one string it reads as.
inline std::string Joined(const FieldText& text)
{
    if (text.count == 1) {
        return std::string(text.pieces[0]);
    }
    std::string joined;
    for (int piece = 0; piece < text.count; ++piece) {
        joined.append(text.pieces[static_cast<std::size_t>(piece)]);
    }
    return joined;
}

// Writes the part's fields in its table's order: each read one as its row
// reads it, each other by byHand(key, json), the part's number as place.
// A field the part lacks is left out.
template <class Part, std::size_t Count, class ByHand>
void WriteRows(ordered_json& json, const Row<Part> (&rows)[Count], const Part& part, int place, ByHand&& byHand)
{
    for (const Row<Part>& row : rows) {
        if (row.ByHand()) {
            byHand(row.key, json);
        } else if (row.leftOut != nullptr && row.leftOut(part)) {
            continue;
        } else if (row.place) {
            json[row.key] = place;
        } else if (row.number) {
            if (const std::optional<int> number = row.number(part)) {
                json[row.key] = *number;
            }
        } else if (row.flag) {
            json[row.key] = row.flag(part);
        } else if (const FieldText text = row.text(part); text.present) {
            json[row.key] = Joined(text);
        } else if (row.nullWhenAbsent) {
            json[row.key] = nullptr;
        }
    }
}

// For a part whose every field its row reads.
template <class Part, std::size_t Count>
void WriteRows(ordered_json& json, const Row<Part> (&rows)[Count], const Part& part, int place = 0)
{
    WriteRows(json, rows, part, place, [](std::string_view, ordered_json&) {});
}

}  // namespace nexmar::json_field

namespace nexmar {

using nlohmann::ordered_json;

// Texts go through the library's own escaping; string_view is not one of
// its string types.
inline std::string Text(std::string_view text)
{
    return std::string(text);
}

// A system's head: its number, its name, its place (as place holds it) and
// what the referee made of it.
ordered_json SystemHeadJson(int number, const SectorEdits& edits, const SystemEdits* edited,
                            const json_field::SystemHead& place);
// The note of key (notes or player notes) the referee wrote of the object at place.
void WriteObjectNote(ordered_json& object, std::string_view key, const SystemEdits& edited, const std::string& place);

// Each system of a level: its head, then its own fields.
ordered_json SystemJson(int number, const LowSystem& system, const SectorEdits& edits,
                        const json_field::SystemHead& place);
ordered_json SystemJson(int number, const MediumSystem& system, const SectorEdits& edits,
                        const json_field::SystemHead& place);
ordered_json SystemJson(int number, const HighSystem& system, const SectorEdits& edits,
                        const json_field::SystemHead& place);

}  // namespace nexmar
