#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gen/names/sector_map_edits.h"

namespace nexmar {

// How full of systems the map is: the chance, in percent, that a hex holds
// one. The named densities are the hobby's classic ones.
struct NamedDensity {
    std::string_view name;
    int percent;
};
inline constexpr NamedDensity kNamedDensities[] = {
    {"rift", 4}, {"sparse", 16}, {"scattered", 33}, {"standard", 50}, {"dense", 66},
};

// A density as a user writes it: one of the names above (any case) or a
// whole percentage from 1 to 100. Nothing when text is neither.
std::optional<int> ParseDensity(std::string_view text);
// The density's name, or "N%" when it has none.
std::string DensityName(int percent);

}  // namespace nexmar
