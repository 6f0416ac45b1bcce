#include "json/fields/document_fields.h"

#include <algorithm>
#include <vector>

#include "gen/system_reroll.h"
#include "json/private/field_writer.h"
#include "json/private/json_checks.h"

// The writer and the reader of a system's head and of an object's notes.
namespace nexmar {

using namespace json_field;

ordered_json SystemHeadJson(int number, const SectorEdits& edits, const SystemEdits* edited, const SystemHead& place)
{
    const std::string name = edits.Name(number);
    const SystemHead head{.name = name, .edits = edited, .hex = place.hex, .sector = place.sector};
    ordered_json json;
    WriteRows(json, kSystemHeadRows, head, number, [edited](std::string_view key, ordered_json& json) {
        if (edited == nullptr) {
            return;
        }
        if (key == kSeed && edited->seed) {
            json[kSeed] = SeedJson(*edited->seed);
        } else if (key == kHidden && edited->hidden) {
            ordered_json hidden = ordered_json::array();
            for (const PlayerField field : kPlayerFields) {
                if (edited->hidden->Has(field)) {
                    hidden.push_back(Text(PlayerFieldName(field)));
                }
            }
            json[kHidden] = std::move(hidden);
        } else if (key == kLocked && edited->locked) {
            json[kLocked] = true;
        }
    });
    return json;
}

void WriteObjectNote(ordered_json& object, std::string_view key, const SystemEdits& edited, const std::string& place)
{
    const ObjectNotes& notes = key == kNotes ? edited.objectNotes : edited.objectPlayerNotes;
    if (const auto note = notes.find(place); note != notes.end()) {
        object[key] = note->second;
    }
}

namespace {

std::string ReadText(const JsonValue& value, std::string (*fault)(std::string_view), const char* what)
{
    const std::string_view text = value.String();
    if (const std::string why = fault(text); !why.empty()) {
        value.Expected(std::string(what) + " (" + why + ")");
    }
    return std::string(text);
}

// Whether an object holds notes: most hold none, and are passed by without
// their place being spelled out.
bool HasNotes(const JsonValue& object)
{
    return object.Has(kNotes) || object.Has(kPlayerNotes);
}

void ReadObjectNotes(const JsonValue& object, const std::string& place, SystemEdits& edits)
{
    if (object.Has(kNotes)) {
        edits.objectNotes[place] = ReadText(object.At(kNotes), NoteFault, "a note");
    }
    if (object.Has(kPlayerNotes)) {
        edits.objectPlayerNotes[place] = ReadText(object.At(kPlayerNotes), NoteFault, "a note");
    }
}

// The fields a system keeps from the players: each a field of its level, once.
PlayerFields ReadHiddenFields(const JsonValue& hidden, DetailLevel level)
{
    const std::span<const PlayerField> fields = PlayerFieldsOf(level);
    std::vector<std::string_view> names;
    for (const PlayerField field : fields) {
        names.push_back(PlayerFieldName(field));
    }
    PlayerFields read;
    for (const JsonValue& element : hidden.Elements(0, fields.size(), "fields of the system")) {
        const std::string_view name = element.OneOf(names);
        const PlayerField field = fields[static_cast<std::size_t>(std::find(names.begin(), names.end(), name) -
                                                                  names.begin())];
        if (read.Has(field)) {
            element.Expected("each field once");
        }
        read.Add(field);
    }
    return read;
}

template <class Record>
void CheckRecord(const JsonValue& system, const Record& record, const Record& rolled)
{
    if (!(record == rolled)) {
        system.At(kSeed).Expected("the seed this system was rolled from alone, which rolls another system");
    }
}

}  // namespace

SystemEdits ReadSystemEdits(const JsonValue& system, DetailLevel level)
{
    SystemEdits edits;
    if (system.Has(kName)) {
        edits.name = ReadText(system.At(kName), NameFault, "a name");
    }
    if (system.Has(kSeed)) {
        edits.seed = system.At(kSeed).Seed();
    }
    if (system.Has(kNotes)) {
        edits.notes = ReadText(system.At(kNotes), NoteFault, "a note");
    }
    if (system.Has(kPlayerNotes)) {
        edits.playerNotes = ReadText(system.At(kPlayerNotes), NoteFault, "a note");
    }
    if (system.Has(kVisibility)) {
        edits.visibility = system.At(kVisibility).Named(kVisibilities, VisibilityName);
    }
    if (system.Has(kHidden)) {
        edits.hidden = ReadHiddenFields(system.At(kHidden), level);
    }
    if (system.Has(kLocked)) {
        edits.locked = system.At(kLocked).Bool();
    }
    // The level's check has found the objects where they belong.
    if (level == DetailLevel::Medium) {
        int slot = 0;
        for (const JsonValue& object : system.At(kObjects).Elements(0, SIZE_MAX, "objects")) {
            ++slot;
            if (HasNotes(object)) {
                ReadObjectNotes(object, MediumObjectPlace(slot), edits);
            }
        }
    } else if (level == DetailLevel::High) {
        char letter = 'A';
        for (const JsonValue& component : system.At(kComponents).Elements(0, SIZE_MAX, "components")) {
            int number = 0;
            for (const JsonValue& object : component.At(kObjects).Elements(0, SIZE_MAX, "objects")) {
                ++number;
                if (HasNotes(object)) {
                    ReadObjectNotes(object, HighObjectPlace(letter, number), edits);
                }
            }
            ++letter;
        }
    }
    return edits;
}

void CheckRolledFromSeed(const JsonValue& system, int number, bool census, const LowSystem& record,
                         const HouseRules* rules)
{
    if (system.Has(kSeed)) {
        CheckRecord(system, record, RerollLowSystem(number, census, system.At(kSeed).Seed(), rules));
    }
}

void CheckRolledFromSeed(const JsonValue& system, bool census, const MediumSystem& record)
{
    if (system.Has(kSeed)) {
        CheckRecord(system, record, RerollMediumSystem(census, system.At(kSeed).Seed()));
    }
}

void CheckRolledFromSeed(const JsonValue& system, bool census, const HighSystem& record)
{
    if (system.Has(kSeed)) {
        CheckRecord(system, record, RerollHighSystem(census, system.At(kSeed).Seed()));
    }
}

}  // namespace nexmar
