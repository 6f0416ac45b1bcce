#pragma once

namespace nexmar::invariants {

// The Medium-detail tables as an independent reader holds them against a run.

// Objects per system by the layout total of two d6 (2..12), and the number of
// Inner, Habitable and Outer objects for each object count (1..10).
inline constexpr int kMediumObjectsByTotal[13] = {0, 0, 1, 2, 3, 4, 5, 6, 6, 7, 8, 9, 10};
struct MediumLayout {
    int inner, habitable, outer;
};
inline constexpr MediumLayout kMediumLayouts[11] = {
    {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 1, 1}, {2, 2, 1},
    {2, 2, 2}, {3, 2, 2}, {3, 3, 2}, {3, 3, 3}, {4, 3, 3},
};

// A type row: its name, its code (1 Terrestrial, 2 Sub-Terrestrial, 3 Hostile
// with a value class; 0 none; 10 asteroid belt) and its fewest and most moons.
struct MediumType {
    const char* name;
    int code;
    int fewestMoons, mostMoons;
};
// By zone (Inner, Habitable, Outer) and d6.
inline constexpr MediumType kMediumTypes[3][6] = {
    {{"Hostile", 3, 0, 0},
     {"Hostile", 3, 0, 1},
     {"Sub-Terrestrial", 2, 0, 1},
     {"Terrestrial", 1, 0, 1},
     {"Terrestrial", 1, 1, 2},
     {"Sub-Terrestrial", 2, 1, 2}},
    {{"Sub-Terrestrial", 2, 0, 1},
     {"Gas Giant", 0, 1, 3},
     {"Gas Giant", 0, 1, 4},
     {"Gas Giant", 0, 2, 5},
     {"Gas Giant", 0, 1, 3},
     {"Asteroid Belt", 10, 0, 0}},
    {{"Hostile", 3, 0, 0},
     {"Hostile", 0, 0, 1},
     {"Gas Giant", 0, 1, 2},
     {"Gas Giant", 0, 1, 3},
     {"Gas Giant", 0, 1, 4},
     {"Asteroid Belt", 10, 0, 0}},
};

struct MediumValue {
    const char* name;
    int raw, capacity;
};
inline constexpr MediumValue kMediumValues[] = {
    {"None", 0, 0}, {"Very Low", 1, 2}, {"Low", 1, 4}, {"Moderate", 2, 4}, {"High", 3, 6}, {"Very High", 4, 6},
};
// Value class index by one flat Roll(2, 12), for codes 1, 2 and 3.
inline constexpr int kMediumValueByRoll[3][11] = {
    // 2  3  4  5  6  7  8  9 10 11 12
    {2, 2, 2, 2, 2, 3, 3, 3, 4, 4, 5},
    {0, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3},
    {0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 3},
};

// By two d6 minus the type code; any other total gives "Special: None".
struct MediumSpecial {
    int total;
    const char* text;
    int raw, capacity;
};
inline constexpr MediumSpecial kMediumSpecials[] = {
    {7, "Special: Rich in Rare Metals (+1 RAW)", 1, 0},
    {8, "Special: Fair Biosphere (+1 Capacity)", 0, 1},
    {9, "Special: Ruins of Ancient Civilization", 0, 0},
    {10, "Special: Ideal biosphere (+2 Capacity)", 0, 2},
    {11, "Special: Primitive society", 0, 0},
};

// A moon by two d6: the text in MoonsText (without its "; ") and its effects.
struct MediumMoon {
    int lowest, highest;
    const char* text;
    int capacity, raw;
};
inline constexpr MediumMoon kMediumMoons[] = {
    {2, 2, "Moon causes severe tidal forces", -1, 0},
    {3, 4, "Inaccessible", 0, 0},
    {5, 7, "Accessible", 1, 0},
    {8, 8, "Accessible w/ resources", 1, 1},
    {9, 9, "Favorable put poor", 2, 0},
    {10, 10, "Favorable w/ resources", 2, 1},
    {11, 11, "Favorable w/ rich resources", 2, 2},
    {12, 12, "Near ideal", 3, 2},
};

}  // namespace nexmar::invariants
