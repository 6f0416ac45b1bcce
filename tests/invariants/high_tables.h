#pragma once

namespace nexmar::invariants {

// The High-detail tables as an independent reader holds them against a run.

// Star colours 1..7 by one d10 (faces 7 to 10 give Red).
struct StarColourRow {
    const char* name;
    const char* spectral;
    int sizeModifier;
    int image;
    int fewestFaces, mostFaces;  // the d10 faces that give the colour
};
inline constexpr StarColourRow kStarColours[8] = {
    {},
    {"Extremely Hot Blue", "O", -4, 8, 1, 1},
    {"Blue", "B", -2, 8, 2, 2},
    {"Blue", "A", 0, 8, 3, 3},
    {"White", "F", 0, 10, 4, 4},
    {"Yellow", "G", 0, 1, 5, 5},
    {"Orange", "K", -1, 11, 6, 6},
    {"Red", "M", -2, 9, 7, 10},
};

// Size classes 1..5: the size total (d10 + the colour's modifier) is clamped to 1..5.
struct SizeClassRow {
    const char* name;
    const char* numeral;
    int zoneModifier;
};
inline constexpr SizeClassRow kSizeClasses[6] = {
    {},
    {"Supergiant", "I", -3},
    {"Bright Giant", "II", -2},
    {"Giant", "III", -2},
    {"Sub Giant", "IV", -1},
    {"Main Sequence", "V", 0},
};

// The zone of an object by the zone total (d10 + zone modifier, 1 or more;
// 0 or less is no object): the highest total of Inner and of Habitable per
// colour (Habitable's highest equal to Inner's: never Habitable).
struct ZoneBands {
    int innerUpTo, habitableUpTo;
};
inline constexpr ZoneBands kZoneBands[8] = {{}, {4, 4}, {4, 4}, {3, 4}, {3, 5}, {2, 5}, {2, 4}, {2, 4}};

inline constexpr const char* kHighTypes[5] = {"Asteroid", "Gas Giant", "Hostile", "Sub-Terrestrial", "Terrestrial"};
enum HighType { Asteroid, GasGiant, Hostile, SubTerrestrial, Terrestrial };
// Object type by zone (Inner, Habitable, Outer) and d10.
inline constexpr int kHighTypeByFace[3][10] = {
    {Asteroid, GasGiant, GasGiant, Hostile, Hostile, Hostile, Hostile, SubTerrestrial, SubTerrestrial, Terrestrial},
    {Asteroid, GasGiant, Hostile, Hostile, SubTerrestrial, SubTerrestrial, SubTerrestrial, Terrestrial, Terrestrial,
     Terrestrial},
    {Asteroid, Asteroid, GasGiant, GasGiant, GasGiant, GasGiant, GasGiant, Hostile, Hostile, SubTerrestrial},
};

// Object sizes 0..6 by d10 (+2 for a Gas Giant): name, base Capacity, the
// size's moon modifier, and the highest size total that gives it.
struct HighSize {
    const char* name;
    int capacity;
    int moonModifier;
    int upToTotal;
};
inline constexpr HighSize kHighSizes[7] = {
    {"Tiny", 1, -3, 2}, {"Small", 2, -2, 4}, {"Medium", 4, 0, 7}, {"Large", 5, 2, 9},
    {"Huge", 6, 3, 10}, {"Huge", 7, 3, 11}, {"Huge", 8, 3, 12},
};
inline constexpr int kHighSpecialModifier[5] = {0, -1, 0, +1, +2};
inline constexpr int kMoonZoneModifier[4] = {0, -2, 0, +2};

// Specials by special roll 2..14 (1 and any other roll: "Special: None").
struct HighSpecial {
    const char* text;
    int capacityOff, rawOff, capacityOn, rawOn, census, morale, productivity;
};
inline constexpr HighSpecial kHighSpecials[15] = {
    {},
    {},
    {"Special: Fair Government/Rich in Rare Metals", 0, 1, 0, 0, 0, 1, 0},
    {"Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {"Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {"Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {"Special: Fair Climate", 1, 0, 1, 0, 0, 0, 0},
    {"Special: Expanded Industry/Fair Climate", 1, 0, 0, 0, 0, 0, 1},
    {"Special: Rich in Precious Metals", 0, 2, 0, 2, 0, 0, 0},
    {"Special: Expanded Population/Fair Climate", 1, 0, 0, 0, 1, 1, 0},
    {"Special: Fair Biosphere/Ideal Climate", 2, 0, 2, 0, 1, 0, 0},
    {"Special: Mature Industry/Ancient Ruins", 0, 0, 0, 0, 0, 0, 2},
    {"Special: Special Resource or +3 RAW (RAW bonus assumed)", 0, 3, 0, 3, 0, 0, 0},
    {"Special: Gaia World/Splinter Colony", 0, 0, 1, 0, 1, 1, 1},
    {"Special: Kill Jaskel for making a roll twice result", 0, 0, 0, 0, 0, 0, 0},
};

// Moons by the moon-count total (d10 + zone and size modifiers).
inline constexpr int MoonsForTotal(int total)
{
    return total <= 4 ? 0 : total <= 7 ? 1 : total <= 9 ? 2 : total <= 11 ? 3 : total == 12 ? 4 : total == 13 ? 5 : 6;
}

}  // namespace nexmar::invariants
