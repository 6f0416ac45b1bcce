#include "model/note_target.h"

#include "gen/names/sector_edits.h"

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

std::string NotesOf(const RunRecords& records, const NoteTarget& target)
{
    const SystemEdits* edits = records.Edits().Find(records.NumberAt(target.place));
    if (edits == nullptr) {
        return {};
    }
    if (target.object.empty()) {
        return edits->notes;
    }
    const auto found = edits->objectNotes.find(target.object);
    return found == edits->objectNotes.end() ? std::string() : found->second;
}

}  // namespace nexmar
