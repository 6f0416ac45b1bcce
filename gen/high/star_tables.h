#pragma once

#include "core/dice.h"
#include "gen/records.h"

namespace nexmar {

// One d10.
StarColour RollStarColour(Dice& dice);
// One d10 plus the colour's modifier, held to the five sizes.
StarSize RollStarSize(Dice& dice, int modifier);

int SizeRollModifier(StarColour colour);
// Added to every zone roll of the objects around the star: 0 to -3.
int ZoneRollModifier(StarSize size);

}  // namespace nexmar
