#pragma once

#include <vector>

#include "core/dice.h"
#include "gen/high/object_rows.h"
#include "gen/odds.h"
#include "gen/records.h"

namespace nexmar {

// Each roll below and the rule that reads its dice: the rolls and their odds
// share the rule.

// One d10, read in the zone's column.
HighObjectType RollObjectType(Dice& dice, OrbitZone zone);
HighObjectType ObjectTypeFor(int face, OrbitZone zone);
// One d10, plus 2 for a Gas Giant.
HighObjectSize RollObjectSize(Dice& dice, HighObjectType type);
HighObjectSize ObjectSizeFor(int face, HighObjectType type);
int SizeCapacity(HighObjectSize size);

// What the rolls above can give, for reading a saved object: whether the
// zone's column holds the type, whether the type's d10 reaches the size,
// and the special rolls the type's two d6 reach.
bool TypeInZone(HighObjectType type, OrbitZone zone);
bool SizeOfType(HighObjectSize size, HighObjectType type);
struct SpecialRollRange {
    int lowest = 0;
    int highest = 0;
};
constexpr SpecialRollRange SpecialRollsOf(HighObjectType type)
{
    return {high::SpecialRollFor(2, type), high::SpecialRollFor(12, type)};
}
// One d10, minus 2 for a Gas Giant: 1 to 3.
int RollRaw(Dice& dice, HighObjectType type);
using high::TableRawFor;
// The lowest and the highest RAW the type's d10 reaches on the RAW table.
struct TableRawRange {
    int lowest = 0;
    int highest = 0;
};
constexpr TableRawRange TableRawsOf(HighObjectType type)
{
    TableRawRange range{TableRawFor(1, type), TableRawFor(1, type)};
    for (int face = 2; face <= 10; ++face) {
        range.lowest = std::min(range.lowest, TableRawFor(face, type));
        range.highest = std::max(range.highest, TableRawFor(face, type));
    }
    return range;
}
// Two d6 plus the type's modifier: 1 to 14.
int RollSpecial(Dice& dice, HighObjectType type);
using high::SpecialRollFor;

// What a special roll means. The census option decides between the two
// results of a text with a slash: the first with it on, the second with it
// off. Every bonus table returns its input unchanged for a roll it does not
// list.
std::string_view SpecialText(int specialRoll);
// "Special: Gaia World/Splinter Colony", whose colony is shown even without census.
inline constexpr int kGaiaWorldRoll = 13;
int SpecialCapacity(int specialRoll, int capacity, bool census);
int SpecialRaw(int specialRoll, int raw, bool census);
int SpecialCensus(int specialRoll, int census);
int SpecialMorale(int specialRoll, int morale);
int SpecialProductivity(int specialRoll, int productivity);

// The odds of the type, size, RAW and special roll, as HighTable lists them.
std::vector<TableOdds> ObjectTableOdds();

}  // namespace nexmar
