#pragma once

#include <cstddef>
#include <vector>

#include "app/document/sector_document.h"
#include "app/document/swap_command.h"

namespace nexmar {

// The systems at places rolled again, each from a fresh seed; the run is
// rendered anew from its records as each redo and undo leaves them.
class RerollCommand final : public SwapCommand {
public:
    RerollCommand(SectorDocument& document, const std::vector<std::size_t>& places)
        : SwapCommand(document, SectorChange::Reroll(document.Session().Records(),
                                                     document.Session().Description().census, places,
                                                     document.Session().TakeRerollSeeds(places.size())))
    {
    }
};

}  // namespace nexmar
