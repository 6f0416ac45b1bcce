#pragma once

#include "core/seed.h"
#include "gen/records.h"

namespace nexmar {

// A system rolled again alone, on dice of its own seeded with seed, so the
// systems around it keep theirs. It is still a system the tables make for
// its place: the first system of a Low run is still a Major Colony.
LowSystem RerollLowSystem(int number, bool census, Seed seed);
MediumSystem RerollMediumSystem(bool census, Seed seed);
HighSystem RerollHighSystem(bool census, Seed seed);

}  // namespace nexmar
