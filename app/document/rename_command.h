#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "app/document/sector_document.h"
#include "app/document/swap_command.h"

namespace nexmar {

// The system at place takes name, one NameFault accepts.
class RenameCommand final : public SwapCommand {
public:
    RenameCommand(SectorDocument& document, std::size_t place, std::string name)
        : SwapCommand(document, SectorChange::Rename(document.Session().Records(), place, std::move(name)))
    {
    }
};

}  // namespace nexmar
