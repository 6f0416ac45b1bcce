#pragma once

#include <cstddef>
#include <span>

#include "app/document/sector_document.h"
#include "app/document/swap_command.h"

namespace nexmar {

// Each system at places becomes known, rumoured or secret to the players.
class VisibilityCommand final : public SwapCommand {
public:
    VisibilityCommand(SectorDocument& document, std::span<const std::size_t> places, Visibility visibility)
        : SwapCommand(document, SectorChange::ChangeVisibility(document.Session().Records(), places, visibility))
    {
    }
};

}  // namespace nexmar
