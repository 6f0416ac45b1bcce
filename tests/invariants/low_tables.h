#pragma once

namespace nexmar::invariants {

// The Low-detail tables as an independent reader holds them against a run:
// each importance row with its range of two-dice totals, base values and
// special modifier; each special with its range of special totals and effects.
struct LowClass {
    const char* text;  // "Base stats: %s/%s" without its label
    int lowest, highest;
    int capacity, raw, census, morale, productivity, modifier;
};
inline constexpr LowClass kLowClasses[] = {
    {"Minor Outpost/Unimportant", 2, 3, 2, 1, 1, 1, 0, -2},
    {"Outpost/Unimportant", 4, 5, 4, 1, 2, 2, 0, -1},
    {"Minor Colony/Minor", 6, 8, 6, 2, 3, 2, 1, 0},
    {"Colony/Minor", 9, 10, 8, 2, 5, 4, 2, +1},
    {"Major Colony/Major", 11, 12, 10, 3, 7, 6, 3, +2},
};
inline constexpr const LowClass& kMajorColony = kLowClasses[4];

struct LowSpecial {
    const char* text;
    int lowest, highest;
    int capacity, raw, census, morale, productivity;
};
inline constexpr LowSpecial kLowSpecials[] = {
    {"No special", -100, 1, 0, 0, 0, 0, 0},
    {"Special: Fair Government (+1 Morale)", 2, 2, 0, 0, 0, 1, 0},
    {"Special: Rich in Rare Metals", 3, 5, 0, 1, 0, 0, 0},
    {"Special: Fair Climate (+1 Productivity)", 6, 6, 0, 0, 0, 0, 1},
    {"Special: Rich in Precious Metals", 7, 7, 0, 2, 0, 0, 0},
    {"Special: Expanded Industry (+2 Productivity)", 8, 8, 0, 0, 0, 0, 2},
    {"Special: Expanded Population (+1 Census, +1 Morale)", 9, 9, 0, 0, 1, 1, 0},
    {"Special: Fair Biosphere (+1 Census, +2 Capacity)", 10, 11, 2, 0, 1, 0, 0},
    {"Special Resource", 12, 100, 0, 0, 0, 0, 0},
};

}  // namespace nexmar::invariants
