#include "gen/high/star_tables.h"

#include <algorithm>
#include <iterator>

namespace nexmar {

namespace {

struct ColourRow {
    std::string_view name;
    std::string_view spectralLetter;
    int sizeRollModifier;
};

// Indexed by StarColour.
constexpr ColourRow kColourTable[] = {
    //  name                                 letter size mod
    /* ExtremelyHotBlue */ {"Extremely Hot Blue", "O", -4},
    /* BlueB */ {"Blue", "B", -2},
    /* BlueA */ {"Blue", "A", 0},
    /* White */ {"White", "F", 0},
    /* Yellow */ {"Yellow", "G", 0},
    /* Orange */ {"Orange", "K", -1},
    /* Red */ {"Red", "M", -2},
};

struct SizeRow {
    std::string_view name;
    std::string_view numeral;
    int zoneRollModifier;
};

// Indexed by StarSize.
constexpr SizeRow kSizeTable[] = {
    //  name                           numeral zone mod
    /* Supergiant */ {"Supergiant", "I", -3},
    /* BrightGiant */ {"Bright Giant", "II", -2},
    /* Giant */ {"Giant", "III", -2},
    /* SubGiant */ {"Sub Giant", "IV", -1},
    /* MainSequence */ {"Main Sequence", "V", 0},
};

using enum StarColour;

// By the colour roll, one d10.
constexpr StarColour kColourByRoll[] = {
    // 1               2      3      4      5       6       7    8    9    10
    ExtremelyHotBlue, BlueB, BlueA, White, Yellow, Orange, Red, Red, Red, Red,
};

const ColourRow& RowOf(StarColour colour)
{
    return kColourTable[static_cast<int>(colour)];
}

const SizeRow& RowOf(StarSize size)
{
    return kSizeTable[static_cast<int>(size)];
}

}  // namespace

StarColour StarColourFor(int face)
{
    return kColourByRoll[face - 1];
}

StarColour RollStarColour(Dice& dice)
{
    return StarColourFor(dice.Roll(1, 10));
}

StarSize StarSizeFor(int face, int modifier)
{
    // Totals 1 to 5 are the sizes from the largest down.
    return static_cast<StarSize>(std::clamp(face + modifier, 1, 5) - 1);
}

StarSize RollStarSize(Dice& dice, int modifier)
{
    return StarSizeFor(dice.Roll(1, 10), modifier);
}

int SizeRollModifier(StarColour colour)
{
    return RowOf(colour).sizeRollModifier;
}

bool SizeOfColour(StarSize size, StarColour colour)
{
    for (int face = 1; face <= 10; ++face) {
        if (StarSizeFor(face, SizeRollModifier(colour)) == size) {
            return true;
        }
    }
    return false;
}

int ZoneRollModifier(StarSize size)
{
    return RowOf(size).zoneRollModifier;
}

std::string_view StarColourName(StarColour colour)
{
    return RowOf(colour).name;
}

std::string_view SpectralLetter(StarColour colour)
{
    return RowOf(colour).spectralLetter;
}

std::string_view StarSizeName(StarSize size)
{
    return RowOf(size).name;
}

std::string_view LuminosityNumeral(StarSize size)
{
    return RowOf(size).numeral;
}

std::string StarName(StarColour colour, StarSize size)
{
    return std::string(StarColourName(colour)) + " (" + std::string(SpectralLetter(colour)) + ") " +
           std::string(StarSizeName(size));
}

// The same dice as RollStarColour and RollStarSize.
std::vector<TableOdds> StarTableOdds()
{
    std::vector<std::string> colours;
    for (int colour = 0; colour < static_cast<int>(std::size(kColourTable)); ++colour) {
        const ColourRow& row = kColourTable[colour];
        colours.push_back(std::string(row.name) + " (" + std::string(row.spectralLetter) + ")");
    }
    std::vector<std::string> sizes;
    for (const SizeRow& row : kSizeTable) {
        sizes.emplace_back(row.name);
    }
    TableOdds colour("High: star colour", {""}, colours);
    ForEachFace(1, 10, [&](int face, double p) { colour.odds[0][static_cast<int>(StarColourFor(face))] += p; });
    TableOdds size("High: star size by colour", colours, sizes);
    for (int group = 0; group < static_cast<int>(std::size(kColourTable)); ++group) {
        ForEachFace(1, 10, [&](int face, double p) {
            size.odds[group][static_cast<int>(StarSizeFor(face, kColourTable[group].sizeRollModifier))] += p;
        });
    }
    return TableList(colour, size);
}

}  // namespace nexmar
