#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/seed.h"
#include "gen/records.h"
#include "gen/rules/shared_rules.h"

namespace nexmar {

// What a run is asked for, enough to name it and to repeat it: the same
// settings give the same systems in the dialog and on the command line. The
// JSON document's head keeps them, the dialog's session shows them, and the
// command line parses its options into them.
struct RunSettings {
    // The systems rolled; of an opened run, the systems its document keeps.
    int systems = 1;
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    Seed seed = 0;
    // The query that chooses the systems shown, as written; none: all.
    std::optional<std::string> query = std::nullopt;
    // Of a run a query filtered: the systems it rolled, of which those the
    // query matched are kept under their numbers in the run; 0 when every
    // system rolled is kept.
    int systemsRolled = 0;
    // The tables a referee changed; none: the game's own.
    SharedRules rules = {};
    bool operator==(const RunSettings&) const = default;
};

}  // namespace nexmar
