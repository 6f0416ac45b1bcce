#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "gen/records.h"
#include "gen/rules/shared_rules.h"

namespace nexmar {

// The house rules of --rules PATH: false when the file cannot be read or is
// refused, said on err (the first fault on one line, any others listed
// under it), before any die is rolled. A file that changes no table gives
// none: the game's own tables.
bool ReadRulesOption(const std::filesystem::path& path, SharedRules& rules, std::FILE* err);

// --print-odds: each outcome of the level's tables whose odds the rules
// change, its odds beside the game's; a line saying so when none changes.
void PrintChangedOdds(std::FILE* out, DetailLevel level, const HouseRules* rules);

}  // namespace nexmar
