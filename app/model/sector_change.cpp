#include "model/sector_change.h"

#include "gen/record_text.h"
#include "gen/system_reroll.h"

namespace nexmar {

namespace {

SystemEdits EditsAt(const RunRecords& records, std::size_t place)
{
    const SystemEdits* edits = records.Edits().Find(records.NumberAt(place));
    return edits != nullptr ? *edits : SystemEdits{};
}

// The system at place rolled again alone, as its level's tables roll it at
// its number: by the house rules the run was rolled with, so that the
// document saved after still agrees with its rules.
SystemRecord Rolled(const RunRecords& records, std::size_t place, bool census, Seed seed)
{
    const int number = records.NumberAt(place);
    return std::visit(
        [&](const auto& system) -> SystemRecord {
            using Record = std::remove_cvref_t<decltype(system)>;
            if constexpr (std::is_same_v<Record, LowSystem>) {
                return RerollLowSystem(number, census, seed, records.AsLoadedRun().summary.settings.rules.get());
            } else if constexpr (std::is_same_v<Record, MediumSystem>) {
                return RerollMediumSystem(census, seed);
            } else {
                return RerollHighSystem(census, seed);
            }
        },
        records.At(place));
}

// The notes on object, none when empty.
void SetObjectNotes(ObjectNotes& notes, const std::string& object, std::string text)
{
    if (text.empty()) {
        notes.erase(object);
    } else {
        notes[object] = std::move(text);
    }
}

}  // namespace

SectorChange SectorChange::Edit(const RunRecords& records, std::size_t place, const std::string& text,
                                const std::function<void(SystemEdits&)>& edit)
{
    SectorChange change;
    SystemSwap swap{place, {EditsAt(records, place), {}}, {EditsAt(records, place), {}}};
    edit(swap.after.edits);
    change.systems_.push_back(std::move(swap));
    change.text_ = text + " " + SystemName(records.NumberAt(place));
    return change;
}

SectorChange SectorChange::Rename(const RunRecords& records, std::size_t place, std::string name)
{
    return Edit(records, place, "Rename", [&](SystemEdits& edits) { edits.name = std::move(name); });
}

SectorChange SectorChange::Note(const RunRecords& records, std::size_t place, std::string notes)
{
    return Edit(records, place, "Edit Notes of", [&](SystemEdits& edits) { edits.notes = std::move(notes); });
}

SectorChange SectorChange::ObjectNote(const RunRecords& records, std::size_t place, const std::string& object,
                                      std::string notes)
{
    return Edit(records, place, "Edit Notes of " + object + " in",
                [&](SystemEdits& edits) { SetObjectNotes(edits.objectNotes, object, std::move(notes)); });
}

SectorChange SectorChange::PlayerNote(const RunRecords& records, std::size_t place, std::string notes)
{
    return Edit(records, place, "Edit Player Notes of",
                [&](SystemEdits& edits) { edits.playerNotes = std::move(notes); });
}

SectorChange SectorChange::ObjectPlayerNote(const RunRecords& records, std::size_t place, const std::string& object,
                                            std::string notes)
{
    return Edit(records, place, "Edit Player Notes of " + object + " in",
                [&](SystemEdits& edits) { SetObjectNotes(edits.objectPlayerNotes, object, std::move(notes)); });
}

SectorChange SectorChange::ChangeVisibility(const RunRecords& records, std::span<const std::size_t> places,
                                            Visibility visibility)
{
    SectorChange change;
    for (const std::size_t place : places) {
        SystemSwap swap{place, {EditsAt(records, place), {}}, {EditsAt(records, place), {}}};
        swap.after.edits.visibility = visibility;
        change.systems_.push_back(std::move(swap));
    }
    const std::string systems = places.size() == 1 ? SystemName(records.NumberAt(places.front()))
                                                   : std::to_string(places.size()) + " Systems";
    change.text_ = "Mark " + systems + " " + std::string(VisibilityName(visibility));
    return change;
}

SectorChange SectorChange::Lock(const RunRecords& records, std::size_t place, bool locked)
{
    return Edit(records, place, locked ? "Lock" : "Unlock", [locked](SystemEdits& edits) { edits.locked = locked; });
}

SectorChange SectorChange::HideFields(const RunRecords& records, std::size_t place, PlayerFields hidden)
{
    return Edit(records, place, "Choose Hidden Fields of", [&](SystemEdits& edits) { edits.hidden = hidden; });
}

SectorChange SectorChange::Reroll(const RunRecords& records, bool census, std::span<const std::size_t> places,
                                  std::span<const Seed> seeds)
{
    SectorChange change;
    for (std::size_t at = 0; at < places.size(); ++at) {
        const std::size_t place = places[at];
        SystemSwap swap{place, {EditsAt(records, place), records.At(place)}, {}};
        swap.after.edits = swap.before.edits;
        // Notes on objects belong to the objects rolled away.
        swap.after.edits.objectNotes.clear();
        swap.after.edits.objectPlayerNotes.clear();
        swap.after.edits.seed = seeds[at];
        swap.after.record = Rolled(records, place, census, seeds[at]);
        change.systems_.push_back(std::move(swap));
    }
    change.text_ = places.size() == 1 ? "Reroll " + SystemName(records.NumberAt(places.front()))
                                      : "Reroll " + std::to_string(places.size()) + " Systems";
    return change;
}

bool SectorChange::ChangesShown() const
{
    for (const SystemSwap& swap : systems_) {
        if (swap.after.record || swap.before.edits.name != swap.after.edits.name ||
            swap.before.edits.locked != swap.after.edits.locked) {
            return true;
        }
    }
    return false;
}

bool SectorChange::ChangesWhatPlayersSee() const
{
    for (const SystemSwap& swap : systems_) {
        const SystemEdits& before = swap.before.edits;
        const SystemEdits& after = swap.after.edits;
        if (swap.after.record || before.name != after.name || before.visibility != after.visibility ||
            before.Hidden() != after.Hidden()) {
            return true;
        }
    }
    return false;
}

std::vector<std::size_t> SectorChange::Places() const
{
    std::vector<std::size_t> places;
    places.reserve(systems_.size());
    for (const SystemSwap& swap : systems_) {
        places.push_back(swap.place);
    }
    return places;
}

bool SectorChange::ChangesNothing() const
{
    for (const SystemSwap& swap : systems_) {
        if (swap.after.record || swap.before.edits != swap.after.edits) {
            return false;
        }
    }
    return true;
}

bool SectorChange::Absorb(const SectorChange& later)
{
    const auto editOfOne = [](const SectorChange& change) {
        return change.systems_.size() == 1 && !change.systems_.front().after.record;
    };
    if (!editOfOne(*this) || !editOfOne(later) || systems_.front().place != later.systems_.front().place ||
        systems_.front().after.edits != later.systems_.front().before.edits) {
        return false;
    }
    systems_.front().after = later.systems_.front().after;
    return true;
}

void SectorChange::Put(RunRecords& records, bool done) const
{
    for (const SystemSwap& swap : systems_) {
        const SystemState& state = done ? swap.after : swap.before;
        records.SetEdits(swap.place, state.edits);
        if (state.record) {
            records.SetRecord(swap.place, *state.record);
        }
    }
}

}  // namespace nexmar
