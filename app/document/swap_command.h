#pragma once

#include <QUndoCommand>

#include "model/sector_change.h"

namespace nexmar {

class SectorDocument;

// One edit on the document's undo stack. Doing and undoing it are the same
// swap of what the systems it touches were and become; each kind of edit
// is a class of its own, which makes its change and says how it joins others.
class SwapCommand : public QUndoCommand {
public:
    void redo() override;
    void undo() override;

protected:
    SwapCommand(SectorDocument& document, SectorChange change);

    SectorChange& Change() { return change_; }
    const SectorChange& Change() const { return change_; }

private:
    SectorDocument& document_;
    SectorChange change_;
};

}  // namespace nexmar
