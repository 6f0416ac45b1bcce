#pragma once

#include <cstddef>

#include "app/document/sector_document.h"
#include "app/document/swap_command.h"

namespace nexmar {

// The system at place keeps exactly the fields hidden from the players.
class HiddenFieldsCommand final : public SwapCommand {
public:
    HiddenFieldsCommand(SectorDocument& document, std::size_t place, PlayerFields hidden)
        : SwapCommand(document, SectorChange::HideFields(document.Session().Records(), place, hidden))
    {
    }
};

}  // namespace nexmar
