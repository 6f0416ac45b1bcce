#pragma once

#include <algorithm>
#include <iterator>
#include <string_view>

#include "gen/records.h"

// The rows of a Medium object's tables, each next to the one rule that reads
// it. The roll, the exact odds and the reader's bounds all read them here, so
// they are compile-time data that every extreme can be worked out from.
namespace nexmar::medium {

// Decides how an object finds its value class and special: Terrestrial,
// Sub-Terrestrial and Hostile worlds roll on their column of the value table
// and subtract their special modifier from the special dice; None has no value
// class and no special; a Belt only rolls for its RAW.
enum class ValueRule { None, Terrestrial, SubTerrestrial, Hostile, Belt };

struct TypeRow {
    MediumObjectType type;
    ValueRule rule;
    int moonDie;       // the moon die's highest face, 0 for no die
    int moonModifier;  // added to the moon die, or the moon count itself
};

using enum MediumObjectType;

// By one d6, Roll(1, 6) - 1 as the index. Moons: Roll(1, die) + mod, or mod alone.
inline constexpr TypeRow kInnerTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {Hostile,          ValueRule::Hostile,         0,   0},
    /* 2 */ {Hostile,          ValueRule::Hostile,         2,  -1},
    /* 3 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,  -1},
    /* 4 */ {Terrestrial,      ValueRule::Terrestrial,     2,  -1},
    /* 5 */ {Terrestrial,      ValueRule::Terrestrial,     2,   0},
    /* 6 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,   0},
};

inline constexpr TypeRow kHabitableTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,  -1},
    /* 2 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 3 */ {GasGiant,         ValueRule::None,            4,   0},
    /* 4 */ {GasGiant,         ValueRule::None,            4,  +1},
    /* 5 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 6 */ {AsteroidBelt,     ValueRule::Belt,            0,   0},
};

inline constexpr TypeRow kOuterTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {Hostile,          ValueRule::Hostile,         0,   0},
    /* 2 */ {Hostile,          ValueRule::None,            2,  -1},  // without value class or special
    /* 3 */ {GasGiant,         ValueRule::None,            2,   0},
    /* 4 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 5 */ {GasGiant,         ValueRule::None,            4,   0},
    /* 6 */ {AsteroidBelt,     ValueRule::Belt,            0,   0},
};

constexpr const TypeRow (&TypesOf(OrbitZone zone))[6]
{
    switch (zone) {
    case OrbitZone::Inner:
        return kInnerTypes;
    case OrbitZone::Habitable:
        return kHabitableTypes;
    case OrbitZone::Outer:
        break;
    }
    return kOuterTypes;
}

constexpr const TypeRow& TypeFor(int face, OrbitZone zone)
{
    return TypesOf(zone)[face - 1];
}

// moonFace: the face of the type's moon die; a type without one ignores it.
constexpr int MoonCountFor(const TypeRow& type, int moonFace)
{
    return type.moonDie == 0 ? type.moonModifier : moonFace + type.moonModifier;
}

// The fewest and the most moons the type's moon die gives.
constexpr int FewestMoons(const TypeRow& type)
{
    return MoonCountFor(type, 1);
}
constexpr int MostMoons(const TypeRow& type)
{
    return MoonCountFor(type, type.moonDie);
}

// The most moons any type of any zone's rows gives.
constexpr int MostMoonsOfAnyType()
{
    int most = 0;
    for (const OrbitZone zone : kOrbitZones) {
        for (const TypeRow& type : TypesOf(zone)) {
            most = std::max(most, MostMoons(type));
        }
    }
    return most;
}

struct ValueRow {
    int raw;
    int capacity;
};

// By ValueClass.
inline constexpr ValueRow kValueClasses[] = {
    //  class       RAW  Capacity
    /* None */      {0,   0},
    /* Very Low */  {1,   2},
    /* Low */       {1,   4},
    /* Moderate */  {2,   4},
    /* High */      {3,   6},
    /* Very High */ {4,   6},
};

constexpr const ValueRow& ValueRowOf(ValueClass valueClass)
{
    return kValueClasses[static_cast<int>(valueClass)];
}

struct ValueTableRow {
    ValueClass terrestrial;
    ValueClass subTerrestrial;
    ValueClass hostile;
};

// By one flat Roll(2, 12), not two dice; Roll(2, 12) - 2 as the index.
inline constexpr ValueTableRow kValueTable[] = {
    //  roll   Terrestrial            Sub-Terrestrial        Hostile
    /*  2 */ {ValueClass::Low,      ValueClass::None,      ValueClass::None},
    /*  3 */ {ValueClass::Low,      ValueClass::VeryLow,   ValueClass::None},
    /*  4 */ {ValueClass::Low,      ValueClass::VeryLow,   ValueClass::None},
    /*  5 */ {ValueClass::Low,      ValueClass::VeryLow,   ValueClass::VeryLow},
    /*  6 */ {ValueClass::Low,      ValueClass::VeryLow,   ValueClass::VeryLow},
    /*  7 */ {ValueClass::Moderate, ValueClass::Low,       ValueClass::VeryLow},
    /*  8 */ {ValueClass::Moderate, ValueClass::Low,       ValueClass::Low},
    /*  9 */ {ValueClass::Moderate, ValueClass::Low,       ValueClass::Low},
    /* 10 */ {ValueClass::High,     ValueClass::Moderate,  ValueClass::Low},
    /* 11 */ {ValueClass::High,     ValueClass::Moderate,  ValueClass::Low},
    /* 12 */ {ValueClass::VeryHigh, ValueClass::Moderate,  ValueClass::Moderate},
};
inline constexpr int kLowestValueRoll = 2;
inline constexpr int kHighestValueRoll = kLowestValueRoll + static_cast<int>(std::size(kValueTable)) - 1;

// The value class in the rule's column for roll, a rule with a column.
constexpr ValueClass ValueFor(int roll, ValueRule rule)
{
    const ValueTableRow& row = kValueTable[roll - kLowestValueRoll];
    return rule == ValueRule::Terrestrial ? row.terrestrial
           : rule == ValueRule::SubTerrestrial ? row.subTerrestrial
                                               : row.hostile;
}

struct SpecialRow {
    int total;
    std::string_view text;
    int raw;
    int capacity;
};

// By two d6 minus the value rule's modifier; any other total has no special.
inline constexpr SpecialRow kSpecialTable[] = {
    // total  text                                         RAW  Capacity
    {7,  "Special: Rich in Rare Metals (+1 RAW)",           1,   0},
    {8,  "Special: Fair Biosphere (+1 Capacity)",           0,   1},
    {9,  "Special: Ruins of Ancient Civilization",          0,   0},
    {10, "Special: Ideal biosphere (+2 Capacity)",          0,   2},
    {11, "Special: Primitive society",                      0,   0},
};

inline constexpr SpecialRow kNoSpecial = {0, "Special: None", 0, 0};

// Subtracted from the special dice; only worlds with a value table roll them.
constexpr int SpecialModifier(ValueRule rule)
{
    switch (rule) {
    case ValueRule::Terrestrial:
        return 1;
    case ValueRule::SubTerrestrial:
        return 2;
    case ValueRule::Hostile:
        return 3;
    case ValueRule::None:
    case ValueRule::Belt:
        break;
    }
    return 0;
}

// The special for two d6 of a rule that rolls them.
constexpr const SpecialRow& SpecialFor(int twoD6, ValueRule rule)
{
    const int total = twoD6 - SpecialModifier(rule);
    for (const SpecialRow& row : kSpecialTable) {
        if (row.total == total) {
            return row;
        }
    }
    return kNoSpecial;
}

struct MoonRow {
    int lowest;
    int highest;
    std::string_view text;
    int capacity;
    int raw;
};

// By two d6, once per moon.
inline constexpr MoonRow kMoonTable[] = {
    //  2d6      text                                   Capacity  RAW
    {2,  2,  "Moon causes severe tidal forces",       -1,        0},
    {3,  4,  "Inaccessible",                           0,        0},
    {5,  7,  "Accessible",                            +1,        0},
    {8,  8,  "Accessible w/ resources",               +1,       +1},
    {9,  9,  "Favorable put poor",                    +2,        0},
    {10, 10, "Favorable w/ resources",                +2,       +1},
    {11, 11, "Favorable w/ rich resources",           +2,       +2},
    {12, 12, "Near ideal",                            +3,       +2},
};

constexpr const MoonRow& MoonFor(int twoD6)
{
    // The rows run from 2 to 12 without gaps; the last one takes what is left.
    return *std::find_if(std::begin(kMoonTable), std::end(kMoonTable) - 1,
                         [twoD6](const MoonRow& r) { return twoD6 <= r.highest; });
}

// The moon table's row that shows text, or nothing.
constexpr const MoonRow* MoonNamed(std::string_view text)
{
    const auto row =
        std::find_if(std::begin(kMoonTable), std::end(kMoonTable), [text](const MoonRow& r) { return r.text == text; });
    return row == std::end(kMoonTable) ? nullptr : &*row;
}

struct LayoutRow {
    int total;
    int inner;
    int habitable;
    int outer;
};

// By the layout roll, two d6: how many slots each zone holds. Slots are
// numbered from 1, Inner first, then Habitable, then Outer.
inline constexpr LayoutRow kLayoutTable[] = {
    // total  Inner  Habitable  Outer      objects
    {2,       1,     0,         0},     //  1
    {3,       1,     1,         0},     //  2
    {4,       1,     1,         1},     //  3
    {5,       2,     1,         1},     //  4
    {6,       2,     2,         1},     //  5
    {7,       2,     2,         2},     //  6
    {8,       2,     2,         2},     //  6
    {9,       3,     2,         2},     //  7
    {10,      3,     3,         2},     //  8
    {11,      3,     3,         3},     //  9
    {12,      4,     3,         3},     // 10
};

constexpr const LayoutRow& LayoutFor(int twoD6)
{
    return kLayoutTable[twoD6 - 2];
}

constexpr int ObjectsOf(const LayoutRow& row)
{
    return row.inner + row.habitable + row.outer;
}

// The most objects a row of the layout table gives.
constexpr int MostObjectsOfAnyLayout()
{
    int most = 0;
    for (const LayoutRow& row : kLayoutTable) {
        most = std::max(most, ObjectsOf(row));
    }
    return most;
}

// The rules index the value, moon and layout tables by their dice without
// a search, so each table's rows must cover its dice in order.
constexpr bool RowsFollowTheirTotals()
{
    int expected = 2;
    for (const MoonRow& row : kMoonTable) {
        if (row.lowest != expected || row.highest < row.lowest) {
            return false;
        }
        expected = row.highest + 1;
    }
    bool layoutInOrder = true;
    for (int twoD6 = 2; twoD6 <= 12; ++twoD6) {
        layoutInOrder = layoutInOrder && LayoutFor(twoD6).total == twoD6;
    }
    return expected == 13 && layoutInOrder && std::size(kLayoutTable) == 11 && kHighestValueRoll == 12;
}
static_assert(RowsFollowTheirTotals());

// An object's Capacity and RAW once every row has added to them: tidal moons
// can take Capacity to 0 or below, and many objects start at 0.
constexpr int AtLeastOne(int total)
{
    return std::max(total, 1);
}

}  // namespace nexmar::medium
