#pragma once

#include "core/generation_run.h"
#include "gen/high/object_tables.h"

namespace nexmar {

// One d10 plus the zone's and the size's modifiers: 0 to 6 moons.
int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size);

// One moon of an object: one d10 for its Capacity and RAW, an item under the
// object's item and one row in each report, after the object's rows.
void GenerateMoon(GenContext& context, int systemNumber, int objectIndex, int moonIndex, char letter,
                  ItemId objectItem, HighObjectType type, OrbitZone zone);

}  // namespace nexmar
