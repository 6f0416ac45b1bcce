#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "model/run_records.h"

namespace nexmar {

// One change a referee makes to the sector shown: a rename, a note, systems
// rolled again, or what the players may see of them. It holds what each system it touches was and
// becomes, so that doing and undoing it are the same swap, and the dialog's
// undo stack keeps one per edit. A change is made against the sector as it
// stands and applied at once; undone, it leaves the sector as it found it.
class SectorChange {
public:
    // The name must be one NameFault accepts; the notes, NoteFault.
    static SectorChange Rename(const RunRecords& records, std::size_t place, std::string name);
    static SectorChange Note(const RunRecords& records, std::size_t place, std::string notes);
    static SectorChange ObjectNote(const RunRecords& records, std::size_t place, const std::string& object,
                                   std::string notes);
    static SectorChange PlayerNote(const RunRecords& records, std::size_t place, std::string notes);
    static SectorChange ObjectPlayerNote(const RunRecords& records, std::size_t place, const std::string& object,
                                         std::string notes);
    // Each system at places becomes known, rumoured or secret to the
    // players, keeping the fields the referee chose to hide.
    static SectorChange ChangeVisibility(const RunRecords& records, std::span<const std::size_t> places,
                                         Visibility visibility);
    // The system at place locked against Reroll Others, or unlocked.
    static SectorChange Lock(const RunRecords& records, std::size_t place, bool locked);
    // The system at place keeps exactly these fields from the players.
    static SectorChange HideFields(const RunRecords& records, std::size_t place, PlayerFields hidden);
    // Each system at places rolled again alone from its seed (places and
    // seeds side by side), with the census values when census; it keeps its
    // name, its notes and what the players may see, and its seed is recorded.
    static SectorChange Reroll(const RunRecords& records, bool census, std::span<const std::size_t> places,
                               std::span<const Seed> seeds);

    void Apply(RunRecords& records) const { Put(records, true); }
    void Revert(RunRecords& records) const { Put(records, false); }
    // Whether a record changes, so that the tree and the reports are
    // rendered again from the records.
    bool ChangesRecords() const { return !systems_.empty() && systems_.front().after.record.has_value(); }
    // Whether a name, a lock or a record changes: what the tree and the
    // pictures show. Notes change neither.
    bool ChangesShown() const;
    // Whether a name, a record, a visibility or a hidden field changes:
    // what the players' view of the tree shows.
    bool ChangesWhatPlayersSee() const;
    // The places of the systems it touches.
    std::vector<std::size_t> Places() const;
    // Whether it leaves every system as it found it.
    bool ChangesNothing() const;
    // Takes in later, a change of the same one system's edits made right
    // after this one, so that the two are done and undone as one: the
    // keystrokes of a note. False, and nothing taken, for any other change.
    bool Absorb(const SectorChange& later);
    // What it does, for the undo menu: "Rename System 3".
    const std::string& Text() const { return text_; }

private:
    struct SystemState {
        SystemEdits edits;
        std::optional<SystemRecord> record;  // only in a reroll
    };
    struct SystemSwap {
        std::size_t place = 0;
        SystemState before;
        SystemState after;
    };

    static SectorChange Edit(const RunRecords& records, std::size_t place, const std::string& text,
                             const std::function<void(SystemEdits&)>& edit);
    void Put(RunRecords& records, bool done) const;

    std::vector<SystemSwap> systems_;
    std::string text_;
};

}  // namespace nexmar
