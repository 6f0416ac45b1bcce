#include "gen/high/object_tables.h"

#include <algorithm>
#include <climits>
#include <string>

#include "gen/high/object_rows.h"
#include "gen/table_lookup.h"

namespace nexmar {

using namespace high;

namespace {

using enum HighObjectType;
using enum HighObjectSize;

// By one d10 (rows) and the zone (columns). The Outer zone never yields a
// Terrestrial.
constexpr HighObjectType kTypeByRoll[10][3] = {
    //        Inner           Habitable       Outer
    /*  1 */ {Asteroid, Asteroid, Asteroid},
    /*  2 */ {GasGiant, GasGiant, Asteroid},
    /*  3 */ {GasGiant, Hostile, GasGiant},
    /*  4 */ {Hostile, Hostile, GasGiant},
    /*  5 */ {Hostile, SubTerrestrial, GasGiant},
    /*  6 */ {Hostile, SubTerrestrial, GasGiant},
    /*  7 */ {Hostile, SubTerrestrial, GasGiant},
    /*  8 */ {SubTerrestrial, Terrestrial, Hostile},
    /*  9 */ {SubTerrestrial, Terrestrial, Hostile},
    /* 10 */ {Terrestrial, Terrestrial, SubTerrestrial},
};

struct SizeRollRow {
    int lowest;
    int highest;
    HighObjectSize size;
};

// By one d10 plus the type's size bonus.
constexpr SizeRollRow kSizeByTotal[] = {
    {INT_MIN, 2, Tiny},
    {3, 4, Small},
    {5, 7, Medium},
    {8, 9, Large},
    {10, 10, Huge},
    {11, 11, HugeCapacity7},
    {12, INT_MAX, HugeCapacity8},
};

struct SizeRow {
    std::string_view name;
    int capacity;
};

// Indexed by HighObjectSize. No size has Capacity 3.
constexpr SizeRow kSizeTable[] = {
    //  name      Capacity
    /* 0 */ {"Tiny", 1},
    /* 1 */ {"Small", 2},
    /* 2 */ {"Medium", 4},
    /* 3 */ {"Large", 5},
    /* 4 */ {"Huge", 6},
    /* 5 */ {"Huge", 7},
    /* 6 */ {"Huge", 8},
};

struct SpecialRow {
    int roll;
    std::string_view text;
    // Capacity and RAW bonuses with the census option off, then on.
    int capacityOff;
    int rawOff;
    int capacityOn;
    int rawOn;
    // Used only with the census option on.
    int census;
    int morale;
    int productivity;
};

// By the special roll. Where a text names two results, the first is the one
// with the census option on.
constexpr SpecialRow kSpecialTable[] = {
    // roll text                                                        off:Cap RAW  on:Cap RAW  Cen Mor Prod
    {2, "Special: Fair Government/Rich in Rare Metals", 0, 1, 0, 0, 0, 1, 0},
    {3, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {4, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {5, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
    {6, "Special: Fair Climate", 1, 0, 1, 0, 0, 0, 0},
    {7, "Special: Expanded Industry/Fair Climate", 1, 0, 0, 0, 0, 0, 1},
    {8, "Special: Rich in Precious Metals", 0, 2, 0, 2, 0, 0, 0},
    {9, "Special: Expanded Population/Fair Climate", 1, 0, 0, 0, 1, 1, 0},
    {10, "Special: Fair Biosphere/Ideal Climate", 2, 0, 2, 0, 1, 0, 0},
    {11, "Special: Mature Industry/Ancient Ruins", 0, 0, 0, 0, 0, 0, 2},
    {12, "Special: Special Resource or +3 RAW (RAW bonus assumed)", 0, 3, 0, 3, 0, 0, 0},
    {13, "Special: Gaia World/Splinter Colony", 0, 0, 1, 0, 1, 1, 1},
    {14, "Special: Kill Jaskel for making a roll twice result", 0, 0, 0, 0, 0, 0, 0},
};

// Every other roll, the Gas Giant's 1 among them.
constexpr SpecialRow kNoSpecial = {0, "Special: None", 0, 0, 0, 0, 0, 0, 0};

const SpecialRow& SpecialFor(int specialRoll)
{
    for (const SpecialRow& row : kSpecialTable) {
        if (row.roll == specialRoll) {
            return row;
        }
    }
    return kNoSpecial;
}

const SizeRow& SizeRowOf(HighObjectSize size)
{
    return kSizeTable[static_cast<int>(size)];
}

}  // namespace

HighObjectType ObjectTypeFor(int face, OrbitZone zone)
{
    return kTypeByRoll[face - 1][static_cast<int>(zone)];
}

HighObjectType RollObjectType(Dice& dice, OrbitZone zone)
{
    return ObjectTypeFor(dice.Roll(1, 10), zone);
}

HighObjectSize ObjectSizeFor(int face, HighObjectType type)
{
    return RowFor(kSizeByTotal, face + TypeRowOf(type).sizeBonus).size;
}

HighObjectSize RollObjectSize(Dice& dice, HighObjectType type)
{
    return ObjectSizeFor(dice.Roll(1, 10), type);
}

int SizeCapacity(HighObjectSize size)
{
    return SizeRowOf(size).capacity;
}

bool TypeInZone(HighObjectType type, OrbitZone zone)
{
    for (int face = 1; face <= 10; ++face) {
        if (ObjectTypeFor(face, zone) == type) {
            return true;
        }
    }
    return false;
}

bool SizeOfType(HighObjectSize size, HighObjectType type)
{
    for (int face = 1; face <= 10; ++face) {
        if (ObjectSizeFor(face, type) == size) {
            return true;
        }
    }
    return false;
}

int RollRaw(Dice& dice, HighObjectType type)
{
    return TableRawFor(dice.Roll(1, 10), type);
}

int RollSpecial(Dice& dice, HighObjectType type)
{
    const int first = dice.Roll(1, 6);
    return SpecialRollFor(first + dice.Roll(1, 6), type);
}

std::string_view SpecialText(int specialRoll)
{
    return SpecialFor(specialRoll).text;
}

int SpecialCapacity(int specialRoll, int capacity, bool census)
{
    const SpecialRow& row = SpecialFor(specialRoll);
    return capacity + (census ? row.capacityOn : row.capacityOff);
}

int SpecialRaw(int specialRoll, int raw, bool census)
{
    const SpecialRow& row = SpecialFor(specialRoll);
    return raw + (census ? row.rawOn : row.rawOff);
}

int SpecialCensus(int specialRoll, int census)
{
    return census + SpecialFor(specialRoll).census;
}

int SpecialMorale(int specialRoll, int morale)
{
    return morale + SpecialFor(specialRoll).morale;
}

int SpecialProductivity(int specialRoll, int productivity)
{
    return productivity + SpecialFor(specialRoll).productivity;
}

std::string_view HighObjectTypeName(HighObjectType type)
{
    return TypeRowOf(type).name;
}

std::string_view HighObjectSizeName(HighObjectSize size)
{
    return SizeRowOf(size).name;
}

// The same dice as RollObjectType, RollObjectSize, RollRaw and RollSpecial.
// The odds list RAW 1 to 3 and special rolls 1 to 14 as their outcomes, so
// every type's dice must stay within them.
constexpr int kHighestTableRaw = 3;
constexpr int kHighestSpecialRoll = 14;
constexpr bool OutcomesHoldEveryRoll()
{
    for (int type = 0; type < static_cast<int>(std::size(kTypeTable)); ++type) {
        const TableRawRange raws = TableRawsOf(static_cast<HighObjectType>(type));
        const SpecialRollRange rolls = SpecialRollsOf(static_cast<HighObjectType>(type));
        if (raws.lowest < 1 || raws.highest > kHighestTableRaw || rolls.lowest < 1 ||
            rolls.highest > kHighestSpecialRoll) {
            return false;
        }
    }
    return true;
}
static_assert(OutcomesHoldEveryRoll());

std::vector<TableOdds> ObjectTableOdds()
{
    std::vector<std::string> zones;
    for (const OrbitZone zone : kOrbitZones) {
        zones.emplace_back(OrbitZoneName(zone));
    }
    std::vector<std::string> types;
    for (const TypeRow& row : kTypeTable) {
        types.emplace_back(row.name);
    }
    std::vector<std::string> sizes;
    for (const SizeRow& row : kSizeTable) {
        sizes.push_back(std::string(row.name) + " (Capacity " + std::to_string(row.capacity) + ")");
    }
    std::vector<std::string> specials;
    for (int roll = 1; roll <= kHighestSpecialRoll; ++roll) {
        specials.push_back(std::to_string(roll) + ": " + std::string(SpecialFor(roll).text));
    }
    TableOdds type("High: object type by zone", zones, types);
    TableOdds size("High: object size by type", types, sizes);
    std::vector<std::string> raws;
    for (int tableRaw = 1; tableRaw <= kHighestTableRaw; ++tableRaw) {
        raws.push_back(std::to_string(tableRaw));
    }
    TableOdds raw("High: RAW by type, before the special", types, raws);
    TableOdds special("High: special roll by type", types, specials);
    for (const OrbitZone zone : kOrbitZones) {
        ForEachFace(1, 10, [&](int face, double p) {
            type.odds[static_cast<int>(zone)][static_cast<int>(ObjectTypeFor(face, zone))] += p;
        });
    }
    for (int group = 0; group < static_cast<int>(std::size(kTypeTable)); ++group) {
        const auto objectType = static_cast<HighObjectType>(group);
        ForEachFace(1, 10, [&](int face, double p) {
            size.odds[group][static_cast<int>(ObjectSizeFor(face, objectType))] += p;
            raw.odds[group][TableRawFor(face, objectType) - 1] += p;
        });
        ForEachTwoD6([&](int total, double p) { special.odds[group][SpecialRollFor(total, objectType) - 1] += p; });
    }
    return TableList(type, size, raw, special);
}

}  // namespace nexmar
