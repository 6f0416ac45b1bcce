#include "gen/high/star_tables.h"

#include <algorithm>

#include "core/result_tree.h"

namespace nexmar {

namespace {

struct ColourRow {
    const char* name;
    const char* spectralLetter;
    int sizeRollModifier;
    int image;
};

// Indexed by StarColour - 1.
constexpr ColourRow kColourTable[] = {
    //  name                  letter size mod  image
    /* 1 */ {"Extremely Hot Blue", "O", -4, ImgBlueStar},
    /* 2 */ {"Blue", "B", -2, ImgBlueStar},
    /* 3 */ {"Blue", "A", 0, ImgBlueStar},
    /* 4 */ {"White", "F", 0, ImgWhiteStar},
    /* 5 */ {"Yellow", "G", 0, ImgYellowStar},
    /* 6 */ {"Orange", "K", -1, ImgOrangeStar},
    /* 7 */ {"Red", "M", -2, ImgRedStar},
};

struct SizeRow {
    const char* name;
    const char* numeral;
    int zoneRollModifier;
};

// Indexed by SizeClass - 1.
constexpr SizeRow kSizeTable[] = {
    //  name             numeral zone mod
    /* 1 */ {"Supergiant", "I", -3},
    /* 2 */ {"Bright Giant", "II", -2},
    /* 3 */ {"Giant", "III", -2},
    /* 4 */ {"Sub Giant", "IV", -1},
    /* 5 */ {"Main Sequence", "V", 0},
};

// By the colour roll, one d10.
constexpr StarColour kColourByRoll[] = {
    // 1               2      3      4      5       6       7    8    9    10
    ExtremelyHotBlue, BlueB, BlueA, White, Yellow, Orange, Red, Red, Red, Red,
};

const ColourRow& RowOf(StarColour colour)
{
    return kColourTable[colour - 1];
}

const SizeRow& RowOf(SizeClass size)
{
    return kSizeTable[size - 1];
}

}  // namespace

StarColour RollStarColour(Dice& dice)
{
    return kColourByRoll[dice.Roll(1, 10) - 1];
}

SizeClass RollSizeClass(Dice& dice, int modifier)
{
    return static_cast<SizeClass>(std::clamp(dice.Roll(1, 10) + modifier, 1, 5));
}

int SizeRollModifier(StarColour colour)
{
    return RowOf(colour).sizeRollModifier;
}

int ZoneRollModifier(SizeClass size)
{
    return RowOf(size).zoneRollModifier;
}

const char* ColourName(StarColour colour)
{
    return RowOf(colour).name;
}

const char* SpectralLetter(StarColour colour)
{
    return RowOf(colour).spectralLetter;
}

const char* SizeClassName(SizeClass size)
{
    return RowOf(size).name;
}

const char* LuminosityNumeral(SizeClass size)
{
    return RowOf(size).numeral;
}

int StarImage(StarColour colour)
{
    return RowOf(colour).image;
}

}  // namespace nexmar
