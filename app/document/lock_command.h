#pragma once

#include <cstddef>

#include "app/document/sector_document.h"
#include "app/document/swap_command.h"

namespace nexmar {

// The system at place locked against Reroll Others, or unlocked again.
class LockCommand final : public SwapCommand {
public:
    LockCommand(SectorDocument& document, std::size_t place)
        : SwapCommand(document, SectorChange::Lock(document.Session().Records(), place,
                                                   !document.Session().Records().LockedAt(place)))
    {
    }
};

}  // namespace nexmar
