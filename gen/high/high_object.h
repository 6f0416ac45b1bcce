#pragma once

#include "core/dice.h"
#include "gen/records.h"

namespace nexmar {

// One object of a component: type, size, RAW and special (five dice), then
// its moons.
HighObject GenerateHighObject(Dice& dice, OrbitZone zone, bool census);

// What an object's classes and rolls make of it: its Capacity, its RAW from
// the RAW table's result, and with the census option its Census, Morale and
// Productivity.
int HighObjectCapacity(HighObjectType type, HighObjectSize size, int specialRoll, bool census);
int HighObjectRaw(int tableRaw, int specialRoll, bool census);
CensusValues HighObjectCensus(int capacity, int specialRoll);

}  // namespace nexmar
