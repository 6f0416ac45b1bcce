#pragma once

#include "core/seed.h"
#include "gen/records.h"
#include "gen/rules/house_rules.h"

namespace nexmar {

// A system rolled again alone, on dice of its own seeded with seed, so the
// systems around it keep theirs. It is still a system the tables make for
// its place: the first system of a Low run is still a Major Colony.
// House rules, if any, are those of the run.
LowSystem RerollLowSystem(int number, bool census, Seed seed, const HouseRules* rules = nullptr);
MediumSystem RerollMediumSystem(bool census, Seed seed);
HighSystem RerollHighSystem(bool census, Seed seed);

}  // namespace nexmar
