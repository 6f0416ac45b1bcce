#pragma once

#include "core/dice.h"

namespace nexmar {

// The colour of a star, 1 Extremely Hot Blue to 7 Red. Colours 2 and 3 are
// both "Blue" but differ in spectral letter, size modifier and zones.
enum StarColour : int {
    ExtremelyHotBlue = 1,
    BlueB = 2,
    BlueA = 3,
    White = 4,
    Yellow = 5,
    Orange = 6,
    Red = 7,
};

// The size class of a star, from the largest (1) to the smallest (5).
enum SizeClass : int {
    Supergiant = 1,
    BrightGiant = 2,
    Giant = 3,
    SubGiant = 4,
    MainSequence = 5,
};

// One d10.
StarColour RollStarColour(Dice& dice);
// One d10 plus the colour's modifier, held to 1..5.
SizeClass RollSizeClass(Dice& dice, int modifier);

int SizeRollModifier(StarColour colour);
// Added to every zone roll of the objects around the star: 0 to -3.
int ZoneRollModifier(SizeClass size);

const char* ColourName(StarColour colour);
const char* SpectralLetter(StarColour colour);
const char* SizeClassName(SizeClass size);
const char* LuminosityNumeral(SizeClass size);
int StarImage(StarColour colour);

}  // namespace nexmar
