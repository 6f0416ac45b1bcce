#pragma once

#include <optional>
#include <string>

#include "app/document/swap_command.h"
#include "model/note_target.h"

namespace nexmar {

// Notes typed on a system or an object, the referee's or the players'. The
// keystrokes of one burst of typing join the command before them, so that
// a burst undoes as one.
class NoteCommand final : public SwapCommand {
public:
    // The notes on target become notes. burst: the document's burst of
    // typing they were typed in; none for notes written whole at once.
    NoteCommand(SectorDocument& document, const NoteTarget& target, NoteKind kind, std::string notes,
                std::optional<int> burst);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::optional<int> burst_;
};

}  // namespace nexmar
