#pragma once

#include "core/generation_run.h"
#include "gen/orbit_zone.h"

namespace nexmar {

// One object of a component: type, size, RAW and special (five dice), its
// item and stat lines under the system item, one row in each report, then
// its moons. objectIndex is 0-based; labels and rows show it plus 1.
void GenerateHighObject(GenContext& context, OrbitZone zone, int systemNumber, int objectIndex, char letter,
                        ItemId systemItem);

}  // namespace nexmar
