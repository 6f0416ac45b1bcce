#pragma once

#include <optional>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_settings.h"
#include "json/fields/field_row.h"
#include "json/json_format.h"

// The two heads of the document, each a table of its fields in the writer's
// order: the document's own, which names the program and keeps the settings
// of the run, and the one every system begins with, its number and what the
// referee made of it.
namespace nexmar::json_field {

struct DocumentHead {
    std::string_view program;
    std::string_view version;
    int format = 0;
    const RunSettings* settings = nullptr;
    const SectorMapEdits* map = nullptr;
};

// The systems come last, each written as it comes; "systemsRolled" only in
// the document of a run that a query filtered: how many systems the run
// rolled, of which the document keeps those the query matched, each under
// its number in the run. The seed is written by hand (it needs 32 bits).
// From format 3 on the map's density (percent of hexes) and jump range
// (hexes) follow, then where the referee drew or rubbed out routes by hand
// the lists of them, each route a pair of system numbers, the lower first.
// A run rolled by house rules keeps them, and their digest, last.
inline constexpr Row<DocumentHead> kDocumentHeadRows[] = {
    {.key = kProgram, .text = [](const DocumentHead& head) { return Present(head.program); }},
    {.key = kVersion, .text = [](const DocumentHead& head) { return Present(head.version); }},
    {.key = kFormat, .number = [](const DocumentHead& head) { return std::optional<int>(head.format); }},
    {.key = kSeed},
    {.key = kDetail, .text = [](const DocumentHead& head) { return Present(DetailLevelName(head.settings->level)); }},
    {.key = kCensusOption, .flag = [](const DocumentHead& head) { return head.settings->census; }},
    {.key = kSystemsRolled,
     .when = When::Filtered,
     .number = [](const DocumentHead& head) {
         const int rolled = head.settings->systemsRolled;
         return rolled > 0 ? std::optional<int>(rolled) : std::nullopt;
     }},
    {.key = kDensity, .when = When::Mapped, .number = [](const DocumentHead& head) {
         return std::optional<int>(head.map->density);
     }},
    {.key = kJump, .when = When::Mapped, .number = [](const DocumentHead& head) {
         return std::optional<int>(head.map->jump);
     }},
    {.key = kRoutesAdded, .when = When::Edited},
    {.key = kRoutesRemoved, .when = When::Edited},
    {.key = kRules, .when = When::Edited},
    {.key = kRulesDigest, .when = When::Edited},
    {.key = kSystems},
};

// A system's name, where it is known, and what the referee made of it:
// nothing, or the edits of the sector that hold it.
struct SystemHead {
    std::optional<std::string_view> name = std::nullopt;
    const SystemEdits* edits = nullptr;
    // Where it lies, where known: "CCRR", the sector on a map of several.
    std::optional<std::string_view> hex = std::nullopt;
    std::optional<int> sector = std::nullopt;
    std::optional<std::string_view> subsector = std::nullopt;  // its letter
};

// What the referee wrote of a known system; empty where nothing.
template <auto Text>
FieldText RefereeText(const SystemHead& head)
{
    if (!head.name) {
        return {};
    }
    return Present(head.edits != nullptr ? std::string_view(head.edits->*Text) : std::string_view());
}

template <auto Text>
bool NoRefereeText(const SystemHead& head)
{
    return head.edits == nullptr || (head.edits->*Text).empty();
}

// After the number, in every system of a document of format 2 on: the name
// (always), then where there are any the seed the system was rolled again
// alone from ("seed" as in the head), the notes, the notes written for the
// players, the visibility where it is not "Known" and the fields kept from
// the players where the referee chose them (by their keys, "capacity" for
// every Capacity of the system). From format 3 on, the system's hex
// ("0304") after its name, and its sector (from 1) when the map spans more
// than one; the query reads its subsector ("B") too. Their keys name them
// in a query at every level: no part of a system but the system has any of
// them. Last, "locked": true where the referee locked the system against
// Reroll Others, which no query reads.
inline constexpr Row<SystemHead> kSystemHeadRows[] = {
    {.key = kNumber, .place = true},
    {.key = kName,
     .when = When::Edited,
     .text = [](const SystemHead& head) { return head.name ? Present(*head.name) : FieldText{}; },
     .shortName = kName,
     .referee = true},
    {.key = kHex,
     .when = When::Mapped,
     .text = [](const SystemHead& head) { return head.hex ? Present(*head.hex) : FieldText{}; },
     .shortName = kHex,
     .referee = true},
    {.key = kSector,
     .when = When::Edited,
     .number = [](const SystemHead& head) { return head.sector; },
     .shortName = kSector,
     .referee = true},
    {.key = kSubsector,
     .when = When::Derived,
     .text = [](const SystemHead& head) { return head.subsector ? Present(*head.subsector) : FieldText{}; },
     .leftOut = [](const SystemHead&) { return true; },
     .shortName = kSubsector,
     .referee = true},
    {.key = kSeed, .when = When::Edited},
    {.key = kNotes,
     .when = When::Edited,
     .text = RefereeText<&SystemEdits::notes>,
     .leftOut = NoRefereeText<&SystemEdits::notes>,
     .shortName = kNotes,
     .referee = true},
    {.key = kPlayerNotes,
     .when = When::Edited,
     .text = RefereeText<&SystemEdits::playerNotes>,
     .leftOut = NoRefereeText<&SystemEdits::playerNotes>,
     .shortName = kPlayerNotes,
     .referee = true},
    {.key = kVisibility,
     .when = When::Edited,
     .text = [](const SystemHead& head) {
         return head.name ? Present(VisibilityName(head.edits != nullptr ? head.edits->visibility : Visibility::Known))
                          : FieldText{};
     },
     .leftOut = [](const SystemHead& head) { return head.edits == nullptr || head.edits->visibility == Visibility::Known; },
     .names = NamesOf<Visibility, 3, VisibilityName>,
     .shortName = kVisibility,
     .referee = true},
    {.key = kHidden, .when = When::Edited},
    {.key = kLocked, .when = When::Edited},
};

}  // namespace nexmar::json_field
