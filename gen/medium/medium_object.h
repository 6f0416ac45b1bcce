#pragma once

#include "core/generation_run.h"
#include "gen/orbit_zone.h"

namespace nexmar {

// One object of a Medium-detail system: its type and moons, value class,
// special, Capacity and RAW (and Census, Morale and Productivity with the
// census option), as an "Object N.S" item with its stat lines and one row in
// each report. The zone picks the type table, the item image and the colour.
void GenerateMediumObject(GenContext& context, OrbitZone zone, int systemNumber, int slot, ItemId systemItem);

}  // namespace nexmar
