#pragma once

#include "core/generation_run.h"
#include "gen/high/star_tables.h"

namespace nexmar {

// One High-detail system: one d10 for its stars, then each lettered
// component with its stars, objects and moons.
void GenerateHighSystem(GenContext& context, int index, ItemId systemItem);

// Components: a single star or a close pair under one letter, with one list
// of objects shaped by its first star.
void GenerateSingleStar(GenContext& context, int systemNumber, char letter, ItemId systemItem);
void GenerateStarPair(GenContext& context, int systemNumber, char letter, ItemId systemItem);
// Two or three components chosen by one d4, always beginning with a pair A.
void GenerateMultipleStars(GenContext& context, int systemNumber, ItemId systemItem);

// One d10 plus the first star's zone modifier: 0 (no object) or the OrbitZone
// of one object.
inline constexpr int kNoObject = 0;
int RollZone(Dice& dice, StarColour colour, int zoneModifier);

}  // namespace nexmar
