#include "app/document/note_command.h"

#include <utility>

#include "app/document/sector_document.h"

namespace nexmar {

namespace {

// The id of the notes typed, which may join the command before them.
constexpr int kNoteCommand = 1;

SectorChange NoteChange(const RunRecords& records, const NoteTarget& target, NoteKind kind, std::string notes)
{
    const bool players = kind == NoteKind::Players;
    if (target.object.empty()) {
        return players ? SectorChange::PlayerNote(records, target.place, std::move(notes))
                       : SectorChange::Note(records, target.place, std::move(notes));
    }
    return players ? SectorChange::ObjectPlayerNote(records, target.place, target.object, std::move(notes))
                   : SectorChange::ObjectNote(records, target.place, target.object, std::move(notes));
}

}  // namespace

NoteCommand::NoteCommand(SectorDocument& document, const NoteTarget& target, NoteKind kind, std::string notes,
                         std::optional<int> burst)
    : SwapCommand(document, NoteChange(document.Session().Records(), target, kind, std::move(notes))), burst_(burst)
{
}

int NoteCommand::id() const
{
    return burst_ ? kNoteCommand : -1;
}

bool NoteCommand::mergeWith(const QUndoCommand* other)
{
    const auto* later = static_cast<const NoteCommand*>(other);
    if (later->burst_ != burst_ || !Change().Absorb(later->Change())) {
        return false;
    }
    // Typed and taken back within the burst: no edit is left to undo.
    setObsolete(Change().ChangesNothing());
    return true;
}

}  // namespace nexmar
