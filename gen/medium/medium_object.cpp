#include "gen/medium/medium_object.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "core/format.h"

namespace nexmar {

namespace {

// Decides how an object finds its value class and special: 1 Terrestrial,
// 2 Sub-Terrestrial and 3 Hostile roll on their value table and subtract the
// code from the special dice; 0 has no value class and no special; 10, the
// asteroid belt, only rolls for its RAW.
using MediumTypeCode = int;

struct TypeRow {
    const char* name;
    MediumTypeCode code;
    int moonDie;       // the moon die's highest face, 0 for no die
    int moonModifier;  // added to the moon die, or the moon count itself
};

// By one d6, Roll(1, 6) - 1 as the index. Moons: Roll(1, die) + mod, or mod alone.
constexpr TypeRow kInnerTypes[] = {
    //  d6    name               code  die  mod
    /* 1 */ {"Hostile",          3,    0,   0},
    /* 2 */ {"Hostile",          3,    2,  -1},
    /* 3 */ {"Sub-Terrestrial",  2,    2,  -1},
    /* 4 */ {"Terrestrial",      1,    2,  -1},
    /* 5 */ {"Terrestrial",      1,    2,   0},
    /* 6 */ {"Sub-Terrestrial",  2,    2,   0},
};

constexpr TypeRow kHabitableTypes[] = {
    //  d6    name               code  die  mod
    /* 1 */ {"Sub-Terrestrial",  2,    2,  -1},
    /* 2 */ {"Gas Giant",        0,    3,   0},
    /* 3 */ {"Gas Giant",        0,    4,   0},
    /* 4 */ {"Gas Giant",        0,    4,  +1},
    /* 5 */ {"Gas Giant",        0,    3,   0},
    /* 6 */ {"Asteroid Belt",   10,    0,   0},
};

constexpr TypeRow kOuterTypes[] = {
    //  d6    name               code  die  mod
    /* 1 */ {"Hostile",          3,    0,   0},
    /* 2 */ {"Hostile",          0,    2,  -1},  // without value class or special
    /* 3 */ {"Gas Giant",        0,    2,   0},
    /* 4 */ {"Gas Giant",        0,    3,   0},
    /* 5 */ {"Gas Giant",        0,    4,   0},
    /* 6 */ {"Asteroid Belt",   10,    0,   0},
};

const TypeRow& RollObjectType(Dice& dice, OrbitZone zone)
{
    const int face = dice.Roll(1, 6);
    switch (zone) {
    case Inner:
        return kInnerTypes[face - 1];
    case Habitable:
        return kHabitableTypes[face - 1];
    case Outer:
        break;
    }
    return kOuterTypes[face - 1];
}

// The moon die is drawn at once, before any other die of the object.
int RollMoonCount(Dice& dice, const TypeRow& type)
{
    return type.moonDie == 0 ? type.moonModifier : dice.Roll(1, type.moonDie) + type.moonModifier;
}

enum class ValueClass : int { None, VeryLow, Low, Moderate, High, VeryHigh };

struct ValueRow {
    const char* name;
    int raw;
    int capacity;
};

// By ValueClass.
constexpr ValueRow kValueClasses[] = {
    //  name         RAW  Capacity
    {"None",         0,   0},
    {"Very Low",     1,   2},
    {"Low",          1,   4},
    {"Moderate",     2,   4},
    {"High",         3,   6},
    {"Very High",    4,   6},
};

constexpr ValueRow kNoValueClass = {"N/A", 0, 0};

struct ValueTableRow {
    ValueClass terrestrial;
    ValueClass subTerrestrial;
    ValueClass hostile;
};

using enum ValueClass;

// By one flat Roll(2, 12), not two dice; Roll(2, 12) - 2 as the index.
constexpr ValueTableRow kValueTable[] = {
    //  roll   Terrestrial  Sub-Terrestrial  Hostile
    /*  2 */ {Low,         None,            None},
    /*  3 */ {Low,         VeryLow,         None},
    /*  4 */ {Low,         VeryLow,         None},
    /*  5 */ {Low,         VeryLow,         VeryLow},
    /*  6 */ {Low,         VeryLow,         VeryLow},
    /*  7 */ {Moderate,    Low,             VeryLow},
    /*  8 */ {Moderate,    Low,             Low},
    /*  9 */ {Moderate,    Low,             Low},
    /* 10 */ {High,        Moderate,        Low},
    /* 11 */ {High,        Moderate,        Low},
    /* 12 */ {VeryHigh,    Moderate,        Moderate},
};

const ValueTableRow& RollValueTable(Dice& dice)
{
    return kValueTable[dice.Roll(2, 12) - 2];
}

ValueClass RollTerrestrialValue(Dice& dice)
{
    return RollValueTable(dice).terrestrial;
}

ValueClass RollSubTerrestrialValue(Dice& dice)
{
    return RollValueTable(dice).subTerrestrial;
}

ValueClass RollHostileValue(Dice& dice)
{
    return RollValueTable(dice).hostile;
}

// The value name with the base RAW and Capacity, by type code.
ValueRow RollValue(Dice& dice, MediumTypeCode code)
{
    switch (code) {
    case 1:
        return kValueClasses[static_cast<int>(RollTerrestrialValue(dice))];
    case 2:
        return kValueClasses[static_cast<int>(RollSubTerrestrialValue(dice))];
    case 3:
        return kValueClasses[static_cast<int>(RollHostileValue(dice))];
    case 10:
        // A belt has no value class; its one die can only give RAW 1.
        return {"N/A", dice.Roll(1, 6) == 6 ? 1 : 0, 0};
    default:
        return kNoValueClass;
    }
}

struct SpecialRow {
    int total;
    const char* text;
    int raw;
    int capacity;
};

// By two d6 minus the type code; any other total has no special.
constexpr SpecialRow kSpecialTable[] = {
    // total  text                                         RAW  Capacity
    {7,  "Special: Rich in Rare Metals (+1 RAW)",           1,   0},
    {8,  "Special: Fair Biosphere (+1 Capacity)",           0,   1},
    {9,  "Special: Ruins of Ancient Civilization",          0,   0},
    {10, "Special: Ideal biosphere (+2 Capacity)",          0,   2},
    {11, "Special: Primitive society",                      0,   0},
};

constexpr SpecialRow kNoSpecial = {0, "Special: None", 0, 0};

// Only worlds with a value table (codes 1 to 3) roll for a special.
const SpecialRow& RollSpecial(Dice& dice, MediumTypeCode code)
{
    if (code < 1 || code > 3) {
        return kNoSpecial;
    }
    const int total = dice.Roll(1, 6) + dice.Roll(1, 6) - code;
    const auto row = std::find_if(std::begin(kSpecialTable), std::end(kSpecialTable),
                                  [total](const SpecialRow& r) { return r.total == total; });
    return row == std::end(kSpecialTable) ? kNoSpecial : *row;
}

struct MoonRow {
    int lowest;
    int highest;
    const char* text;
    int capacity;
    int raw;
};

// By two d6, once per moon. Every text ends in "; ".
constexpr MoonRow kMoonTable[] = {
    //  2d6      text                                   Capacity  RAW
    {2,  2,  "Moon causes severe tidal forces; ",      -1,        0},
    {3,  4,  "Inaccessible; ",                          0,        0},
    {5,  7,  "Accessible; ",                           +1,        0},
    {8,  8,  "Accessible w/ resources; ",              +1,       +1},
    {9,  9,  "Favorable put poor; ",                   +2,        0},
    {10, 10, "Favorable w/ resources; ",               +2,       +1},
    {11, 11, "Favorable w/ rich resources; ",          +2,       +2},
    {12, 12, "Near ideal; ",                           +3,       +2},
};

const MoonRow& RollMoon(Dice& dice)
{
    const int total = dice.Roll(1, 6) + dice.Roll(1, 6);
    // The rows run from 2 to 12 without gaps; the last one takes what is left.
    return *std::find_if(std::begin(kMoonTable), std::end(kMoonTable) - 1,
                         [total](const MoonRow& r) { return total <= r.highest; });
}

}  // namespace

void GenerateMediumObject(GenContext& context, OrbitZone zone, int systemNumber, int slot, ItemId systemItem)
{
    Dice& dice = context.dice;
    ResultTree& tree = context.tree;
    const ItemId object =
        tree.Insert(systemItem, Format("Object %d.%d", systemNumber, slot), ZoneImage(zone), Placement::Last);

    const TypeRow& type = RollObjectType(dice, zone);
    const int moons = RollMoonCount(dice, type);
    const ValueRow value = RollValue(dice, type.code);
    int raw = value.raw;
    int capacity = value.capacity;

    const SpecialRow& special = RollSpecial(dice, type.code);
    raw += special.raw;
    capacity += special.capacity;

    std::string moonsText = std::to_string(moons) + ": ";
    for (int moon = 0; moon < moons; ++moon) {
        const MoonRow& row = RollMoon(dice);
        moonsText += row.text;
        capacity += row.capacity;
        raw += row.raw;
    }
    // Drops the last moon's "; ", or the ": " after a count of 0.
    moonsText.resize(moonsText.size() - 2);

    // Tidal moons can take Capacity to 0 or below, and many objects start at 0.
    capacity = std::max(capacity, 1);
    raw = std::max(raw, 1);

    // Without the census option the three census columns of the reports carry 0.
    int census = 0;
    int morale = 0;
    int productivity = 0;
    if (context.census) {
        census = capacity / 2;
        morale = productivity = std::max(census - 1, 1);
    }

    AddStatItem(tree, Format("Base stats: %s/%s", value.name, type.name), NO_VALUE, ImgBlank, object);
    AddStatItem(tree, "Raw", raw, ImgBlank, object);
    AddStatItem(tree, "Capacity", capacity, ImgBlank, object);
    AddStatItem(tree, special.text, NO_VALUE, ImgBlank, object);
    AddStatItem(tree, Format("Moons: %s", moonsText.c_str()), NO_VALUE, ImgBlank, object);
    if (context.census) {
        AddStatItem(tree, "Census", census, ImgBlank, object);
        AddStatItem(tree, "Morale", morale, ImgBlank, object);
        AddStatItem(tree, "Productivity", productivity, ImgBlank, object);
    }

    ReportFiles& reports = context.reports;
    if (!reports.IsOpen()) {
        return;
    }
    // Every cell of the row is in the zone's colour.
    const char* colour = ZoneColour(zone);
    reports.Html("\t<tr>\n\t\t<td><font color=\"#%s\">%d.%d</font></td><td><font color=\"#%s\">%s</font></td>"
                 "<td><font color=\"#%s\">%s</font></td><td><font color=\"#%s\">%d</font></td>"
                 "<td><font color=\"#%s\">%d</font></td><td><font color=\"#%s\">%d</font></td>"
                 "<td><font color=\"#%s\">%d</font></td><td><font color=\"#%s\">%d</font></td>"
                 "<td><font color=\"#%s\">%s</font></td><td><font color=\"#%s\">%s</font></td>\t</tr>\n",
                 colour, systemNumber, slot, colour, type.name, colour, value.name, colour, capacity, colour, census,
                 colour, morale, colour, productivity, colour, raw, colour, special.text, colour, moonsText.c_str());

    // No text of an object holds a comma, so the fields go unquoted.
    reports.Text("%d.%d,%s,%s,%d,%d,%d,%d,%d,%s,%s\n", systemNumber, slot, type.name, value.name, capacity, census,
                 morale, productivity, raw, special.text, moonsText.c_str());
}

}  // namespace nexmar
