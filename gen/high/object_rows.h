#pragma once

#include <algorithm>
#include <climits>
#include <string_view>

#include "gen/records.h"
#include "gen/table_lookup.h"

// The rows of a High object's type and RAW tables, next to the rules that
// read them: the rolls, their odds and the reader's bounds all read them here.
namespace nexmar::high {

struct TypeRow {
    std::string_view name;
    int sizeBonus;
    int rawPenalty;
    int specialModifier;
};

// Indexed by HighObjectType.
inline constexpr TypeRow kTypeTable[] = {
    //  name               size  RAW  special
    /* 0 */ {"Asteroid", 0, 0, 0},
    /* 1 */ {"Gas Giant", 2, 2, -1},
    /* 2 */ {"Hostile", 0, 0, 0},
    /* 3 */ {"Sub-Terrestrial", 0, 0, +1},
    /* 4 */ {"Terrestrial", 0, 0, +2},
};

constexpr const TypeRow& TypeRowOf(HighObjectType type)
{
    return kTypeTable[static_cast<int>(type)];
}

struct RawRow {
    int lowest;
    int highest;
    int raw;
};

// By one d10 less the type's RAW penalty.
inline constexpr RawRow kRawByTotal[] = {
    {INT_MIN, 4, 1},
    {5, 7, 2},
    {8, INT_MAX, 3},
};

// The RAW table's result for face on the type's d10.
constexpr int TableRawFor(int face, HighObjectType type)
{
    return RowFor(kRawByTotal, face - TypeRowOf(type).rawPenalty).raw;
}

// The special roll for two d6 of the type.
constexpr int SpecialRollFor(int twoD6, HighObjectType type)
{
    return twoD6 + TypeRowOf(type).specialModifier;
}

}  // namespace nexmar::high
