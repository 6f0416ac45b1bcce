#pragma once

#include <string>
#include <vector>

#include "core/dice.h"
#include "gen/odds.h"
#include "gen/records.h"

namespace nexmar {

// One d10.
StarColour RollStarColour(Dice& dice);
StarColour StarColourFor(int face);
// One d10 plus the colour's modifier, held to the five sizes.
StarSize RollStarSize(Dice& dice, int modifier);
StarSize StarSizeFor(int face, int modifier);

int SizeRollModifier(StarColour colour);
// Whether a star of colour can be of size: some face of its size d10, with
// the colour's modifier and the clamp, gives it.
bool SizeOfColour(StarSize size, StarColour colour);
// Added to every zone roll of the objects around the star: 0 to -3.
int ZoneRollModifier(StarSize size);

// "Yellow (G) Main Sequence".
std::string StarName(StarColour colour, StarSize size);
// The odds of the colour and the size by colour, as HighTable lists them.
std::vector<TableOdds> StarTableOdds();

}  // namespace nexmar
