#include "model/note_target.h"

#include "gen/names/sector_edits.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

// The place of the object at row among a system's items, where the items
// are its objects in order (Medium) or, component by component, its stars
// and then its objects (High); empty for a star and for a Low system.
std::string ObjectPlaceAt(const SystemRecord& record, int row)
{
    if (std::holds_alternative<MediumSystem>(record)) {
        return MediumObjectPlace(row + 1);
    }
    const auto* high = std::get_if<HighSystem>(&record);
    if (high == nullptr) {
        return {};
    }
    for (const StarComponent& component : high->components) {
        row -= static_cast<int>(component.stars.size());
        if (row < 0) {
            return {};
        }
        if (row < static_cast<int>(component.objects.size())) {
            return HighObjectPlace(component.letter, row + 1);
        }
        row -= static_cast<int>(component.objects.size());
    }
    return {};
}

}  // namespace

std::optional<NoteTarget> NoteTargetOf(const ShownTree& tree, const RunRecords& records, ItemId item)
{
    const std::optional<std::size_t> place = SystemPlaceOf(tree, item);
    if (!place || *place >= records.size()) {
        return std::nullopt;
    }
    NoteTarget target{*place, {}, {}};
    // The item right under the system on the way up from item.
    ItemId child = kNoItem;
    for (ItemId at = item; tree.at(tree.at(at).parent).parent != kNoItem; at = tree.at(at).parent) {
        child = at;
    }
    if (child != kNoItem) {
        target.object = ObjectPlaceAt(records.At(*place), tree.at(child).row);
        if (!target.object.empty()) {
            target.objectItem = std::string(tree.at(child).text);
        }
    }
    return target;
}

std::string NotesOf(const RunRecords& records, const NoteTarget& target, NoteKind kind)
{
    const SystemEdits* edits = records.Edits().Find(records.NumberAt(target.place));
    if (edits == nullptr) {
        return {};
    }
    const bool players = kind == NoteKind::Players;
    if (target.object.empty()) {
        return players ? edits->playerNotes : edits->notes;
    }
    const ObjectNotes& objectNotes = players ? edits->objectPlayerNotes : edits->objectNotes;
    const auto found = objectNotes.find(target.object);
    return found == objectNotes.end() ? std::string() : found->second;
}

std::vector<SystemNote> SystemNotes(const RunRecords& records, std::size_t place, NoteKind kind)
{
    const int number = records.NumberAt(place);
    const SystemEdits* edits = records.Edits().Find(number);
    std::vector<SystemNote> notes;
    if (edits == nullptr) {
        return notes;
    }
    const bool players = kind == NoteKind::Players;
    if (const std::string& own = players ? edits->playerNotes : edits->notes; !own.empty()) {
        notes.push_back({{}, own});
    }
    const ObjectNotes& objectNotes = players ? edits->objectPlayerNotes : edits->objectNotes;
    const auto add = [&](const std::string& object, std::string about) {
        if (const auto found = objectNotes.find(object); found != objectNotes.end()) {
            notes.push_back({"Object " + std::move(about), found->second});
        }
    };
    const SystemRecord& record = records.At(place);
    if (const auto* medium = std::get_if<MediumSystem>(&record)) {
        for (int slot = 1; slot <= static_cast<int>(medium->objects.size()); ++slot) {
            add(MediumObjectPlace(slot), MediumObjectNumber(number, slot));
        }
    } else if (const auto* high = std::get_if<HighSystem>(&record)) {
        for (const StarComponent& component : high->components) {
            for (int index = 0; index < static_cast<int>(component.objects.size()); ++index) {
                add(HighObjectPlace(component.letter, index + 1), HighObjectNumber(number, component.letter, index));
            }
        }
    }
    return notes;
}

}  // namespace nexmar
