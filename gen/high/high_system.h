#pragma once

#include <optional>
#include <vector>

#include "core/dice.h"
#include "gen/records.h"

namespace nexmar {

// One High-detail system: one d10 for its stars, then each lettered
// component with its stars, objects and moons.
HighSystem GenerateHighSystem(Dice& dice, bool census);

// Components: a single star or a close pair under one letter, with one list
// of objects shaped by its first star.
StarComponent GenerateSingleStar(Dice& dice, char letter, bool census);
StarComponent GenerateStarPair(Dice& dice, char letter, bool census);
// Two or three components chosen by one d4, always beginning with a pair A.
std::vector<StarComponent> GenerateMultipleStars(Dice& dice, bool census);

// One d10 plus the first star's zone modifier: the zone of one object, or
// none when the total is 0 or less.
std::optional<OrbitZone> RollZone(Dice& dice, StarColour colour, int zoneModifier);

// Whether the zone roll of a component whose first star is first reaches zone.
bool ZoneAroundStar(OrbitZone zone, const Star& first);

}  // namespace nexmar
