#pragma once

#include "core/dice.h"
#include "gen/records.h"

namespace nexmar {

// One object of a component: type, size, RAW and special (five dice), then
// its moons.
HighObject GenerateHighObject(Dice& dice, OrbitZone zone, bool census);

}  // namespace nexmar
