#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/run_records.h"
#include "model/shown_tree.h"

namespace nexmar {

// What a note written beside the tree is about: a system, or one of its
// objects.
struct NoteTarget {
    std::size_t place = 0;  // the system's place among the run's records
    std::string object;     // where the object's notes are kept ("3", "A2"); empty for the system
    std::string objectItem; // the object's item text ("Object 4A.2"); empty for the system
    bool operator==(const NoteTarget&) const = default;
};

// The target of item: the object holding it (an object's stat lines and
// moons included), else the system holding it (its stars and stat lines);
// none for the top-level item and for no item.
std::optional<NoteTarget> NoteTargetOf(const ShownTree& tree, const RunRecords& records, ItemId item);

// Whose notes: the referee's own, or those written for the players' handout.
enum class NoteKind { Referee, Players };

// The notes kept on target.
std::string NotesOf(const RunRecords& records, const NoteTarget& target, NoteKind kind = NoteKind::Referee);

// A note of a system, with what it is about.
struct SystemNote {
    std::string about;  // empty for the system itself; "Object 4A.2" for an object
    std::string text;
};

// The notes on the system at place, then those on its objects in their
// order; none that are empty.
std::vector<SystemNote> SystemNotes(const RunRecords& records, std::size_t place,
                                    NoteKind kind = NoteKind::Referee);

}  // namespace nexmar
