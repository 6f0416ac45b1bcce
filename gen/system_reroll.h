#pragma once

#include <cstdint>

#include "gen/records.h"

namespace nexmar {

// A system rolled again alone, on dice of its own seeded with seed, so the
// systems around it keep theirs. It is still a system the tables make for
// its place: the first system of a Low run is still a Major Colony.
LowSystem RerollLowSystem(int number, bool census, std::uint32_t seed);
MediumSystem RerollMediumSystem(bool census, std::uint32_t seed);
HighSystem RerollHighSystem(bool census, std::uint32_t seed);

}  // namespace nexmar
