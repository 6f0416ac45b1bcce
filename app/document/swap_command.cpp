#include "app/document/swap_command.h"

#include <QString>

#include <utility>

#include "app/document/sector_document.h"

namespace nexmar {

SwapCommand::SwapCommand(SectorDocument& document, SectorChange change)
    : QUndoCommand(QString::fromStdString(change.Text())), document_(document), change_(std::move(change))
{
}

void SwapCommand::redo()
{
    document_.Put(change_, true);
}

void SwapCommand::undo()
{
    document_.Put(change_, false);
}

}  // namespace nexmar
