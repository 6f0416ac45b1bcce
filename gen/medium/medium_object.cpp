#include "gen/medium/medium_object.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "gen/odds.h"

namespace nexmar {

namespace {

// Decides how an object finds its value class and special: Terrestrial,
// Sub-Terrestrial and Hostile worlds roll on their column of the value table
// and subtract their special modifier from the special dice; None has no value
// class and no special; a Belt only rolls for its RAW.
enum class ValueRule { None, Terrestrial, SubTerrestrial, Hostile, Belt };

using enum MediumObjectType;

struct TypeRow {
    MediumObjectType type;
    ValueRule rule;
    int moonDie;       // the moon die's highest face, 0 for no die
    int moonModifier;  // added to the moon die, or the moon count itself
};

// By one d6, Roll(1, 6) - 1 as the index. Moons: Roll(1, die) + mod, or mod alone.
constexpr TypeRow kInnerTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {Hostile,          ValueRule::Hostile,         0,   0},
    /* 2 */ {Hostile,          ValueRule::Hostile,         2,  -1},
    /* 3 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,  -1},
    /* 4 */ {Terrestrial,      ValueRule::Terrestrial,     2,  -1},
    /* 5 */ {Terrestrial,      ValueRule::Terrestrial,     2,   0},
    /* 6 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,   0},
};

constexpr TypeRow kHabitableTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {SubTerrestrial,   ValueRule::SubTerrestrial,  2,  -1},
    /* 2 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 3 */ {GasGiant,         ValueRule::None,            4,   0},
    /* 4 */ {GasGiant,         ValueRule::None,            4,  +1},
    /* 5 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 6 */ {AsteroidBelt,     ValueRule::Belt,            0,   0},
};

constexpr TypeRow kOuterTypes[] = {
    //  d6    type             value rule                  die  mod
    /* 1 */ {Hostile,          ValueRule::Hostile,         0,   0},
    /* 2 */ {Hostile,          ValueRule::None,            2,  -1},  // without value class or special
    /* 3 */ {GasGiant,         ValueRule::None,            2,   0},
    /* 4 */ {GasGiant,         ValueRule::None,            3,   0},
    /* 5 */ {GasGiant,         ValueRule::None,            4,   0},
    /* 6 */ {AsteroidBelt,     ValueRule::Belt,            0,   0},
};

const TypeRow (&TypesOf(OrbitZone zone))[6]
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

const TypeRow& TypeFor(int face, OrbitZone zone)
{
    return TypesOf(zone)[face - 1];
}

// moonFace: the face of the type's moon die; a type without one ignores it.
int MoonCountFor(const TypeRow& type, int moonFace)
{
    return type.moonDie == 0 ? type.moonModifier : moonFace + type.moonModifier;
}

// The moon die is drawn at once, before any other die of the object.
int RollMoonCount(Dice& dice, const TypeRow& type)
{
    return MoonCountFor(type, type.moonDie == 0 ? 0 : dice.Roll(1, type.moonDie));
}

struct ValueRow {
    int raw;
    int capacity;
};

// By ValueClass.
constexpr ValueRow kValueClasses[] = {
    //  class       RAW  Capacity
    /* None */      {0,   0},
    /* Very Low */  {1,   2},
    /* Low */       {1,   4},
    /* Moderate */  {2,   4},
    /* High */      {3,   6},
    /* Very High */ {4,   6},
};

struct Value {
    std::optional<ValueClass> valueClass;
    int raw = 0;
    int capacity = 0;
};

Value ValueOf(ValueClass valueClass)
{
    const ValueRow& row = kValueClasses[static_cast<int>(valueClass)];
    return {valueClass, row.raw, row.capacity};
}

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

// The value class in the rule's column for roll, a rule with a column.
ValueClass ValueFor(int roll, ValueRule rule)
{
    const ValueTableRow& row = kValueTable[roll - 2];
    return rule == ValueRule::Terrestrial ? row.terrestrial
           : rule == ValueRule::SubTerrestrial ? row.subTerrestrial
                                               : row.hostile;
}

// The value class with its base RAW and Capacity, by the type's value rule.
Value RollValue(Dice& dice, ValueRule rule)
{
    switch (rule) {
    case ValueRule::Terrestrial:
    case ValueRule::SubTerrestrial:
    case ValueRule::Hostile:
        return ValueOf(ValueFor(dice.Roll(2, 12), rule));
    case ValueRule::Belt:
        // A belt has no value class; its one die can only give RAW 1.
        return {std::nullopt, dice.Roll(1, 6) == 6 ? 1 : 0, 0};
    case ValueRule::None:
        break;
    }
    return {};
}

struct SpecialRow {
    int total;
    const char* text;
    int raw;
    int capacity;
};

// By two d6 minus the value rule's modifier; any other total has no special.
constexpr SpecialRow kSpecialTable[] = {
    // total  text                                         RAW  Capacity
    {7,  "Special: Rich in Rare Metals (+1 RAW)",           1,   0},
    {8,  "Special: Fair Biosphere (+1 Capacity)",           0,   1},
    {9,  "Special: Ruins of Ancient Civilization",          0,   0},
    {10, "Special: Ideal biosphere (+2 Capacity)",          0,   2},
    {11, "Special: Primitive society",                      0,   0},
};

constexpr SpecialRow kNoSpecial = {0, "Special: None", 0, 0};

// Subtracted from the special dice; only worlds with a value table roll them.
int SpecialModifier(ValueRule rule)
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
const SpecialRow& SpecialFor(int twoD6, ValueRule rule)
{
    const int total = twoD6 - SpecialModifier(rule);
    const auto row = std::find_if(std::begin(kSpecialTable), std::end(kSpecialTable),
                                  [total](const SpecialRow& r) { return r.total == total; });
    return row == std::end(kSpecialTable) ? kNoSpecial : *row;
}

const SpecialRow& RollSpecial(Dice& dice, ValueRule rule)
{
    if (SpecialModifier(rule) == 0) {
        return kNoSpecial;
    }
    const int first = dice.Roll(1, 6);
    return SpecialFor(first + dice.Roll(1, 6), rule);
}

struct MoonRow {
    int lowest;
    int highest;
    const char* text;
    int capacity;
    int raw;
};

// By two d6, once per moon.
constexpr MoonRow kMoonTable[] = {
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

const MoonRow& MoonFor(int twoD6)
{
    // The rows run from 2 to 12 without gaps; the last one takes what is left.
    return *std::find_if(std::begin(kMoonTable), std::end(kMoonTable) - 1,
                         [twoD6](const MoonRow& r) { return twoD6 <= r.highest; });
}

const MoonRow& RollMoon(Dice& dice)
{
    const int first = dice.Roll(1, 6);
    return MoonFor(first + dice.Roll(1, 6));
}

}  // namespace

CensusValues MediumObjectCensus(int capacity)
{
    const int derived = capacity / 2;
    const int moraleAndProductivity = std::max(derived - 1, 1);
    return CensusValues{derived, moraleAndProductivity, moraleAndProductivity};
}

MediumObject GenerateMediumObject(Dice& dice, OrbitZone zone, bool census)
{
    MediumObject object;
    object.zone = zone;
    const TypeRow& type = TypeFor(dice.Roll(1, 6), zone);
    object.type = type.type;
    const int moons = RollMoonCount(dice, type);
    const Value value = RollValue(dice, type.rule);
    object.value = value.valueClass;
    int raw = value.raw;
    int capacity = value.capacity;

    const SpecialRow& special = RollSpecial(dice, type.rule);
    object.special = special.text;
    raw += special.raw;
    capacity += special.capacity;

    for (int moon = 0; moon < moons; ++moon) {
        const MoonRow& row = RollMoon(dice);
        object.moons.push_back(row.text);
        capacity += row.capacity;
        raw += row.raw;
    }

    // Tidal moons can take Capacity to 0 or below, and many objects start at 0.
    object.capacity = std::max(capacity, 1);
    object.raw = std::max(raw, 1);
    if (census) {
        object.census = MediumObjectCensus(object.capacity);
    }
    return object;
}

namespace {

int TypeOutcome(const TypeRow& row)
{
    return row.type == Hostile && row.rule == ValueRule::None ? kMediumHostileWithoutValue : static_cast<int>(row.type);
}

// The value rules that roll on the value table, in the order of MediumValuedGroup.
constexpr ValueRule kValuedRules[] = {ValueRule::Terrestrial, ValueRule::SubTerrestrial, ValueRule::Hostile};

std::string TypeOutcomeName(int outcome)
{
    if (outcome == kMediumHostileWithoutValue) {
        return "Hostile (no value class)";
    }
    return std::string(MediumObjectTypeName(static_cast<MediumObjectType>(outcome)));
}

}  // namespace

int MediumTypeOutcome(const MediumObject& object)
{
    return object.type == Hostile && !object.value ? kMediumHostileWithoutValue : static_cast<int>(object.type);
}

int MediumValuedGroup(const MediumObject& object)
{
    if (!object.value) {
        return -1;
    }
    switch (object.type) {
    case Terrestrial:
        return 0;
    case SubTerrestrial:
        return 1;
    case Hostile:
        return 2;
    case GasGiant:
    case AsteroidBelt:
        break;
    }
    return -1;
}

int MediumSpecialRow(std::string_view text)
{
    for (int row = 0; row < static_cast<int>(std::size(kSpecialTable)); ++row) {
        if (kSpecialTable[row].text == text) {
            return row;
        }
    }
    return static_cast<int>(std::size(kSpecialTable));
}

int MediumMoonCountGroup(OrbitZone zone, int typeOutcome)
{
    int group = 0;
    for (const OrbitZone z : kOrbitZones) {
        for (int outcome = 0; outcome < kMediumTypeOutcomes; ++outcome) {
            const auto& types = TypesOf(z);
            const bool rolled = std::any_of(std::begin(types), std::end(types),
                                            [outcome](const TypeRow& row) { return TypeOutcome(row) == outcome; });
            if (rolled && z == zone && outcome == typeOutcome) {
                return group;
            }
            group += rolled ? 1 : 0;
        }
    }
    return -1;
}

int MediumMoonRow(std::string_view text)
{
    for (int row = 0; row < static_cast<int>(std::size(kMoonTable)); ++row) {
        if (kMoonTable[row].text == text) {
            return row;
        }
    }
    return -1;
}

// The same dice as GenerateMediumObject, read through the same rows.
std::vector<TableOdds> MediumObjectTableOdds()
{
    std::vector<std::string> zones;
    for (const OrbitZone zone : kOrbitZones) {
        zones.emplace_back(OrbitZoneName(zone));
    }
    std::vector<std::string> typeNames;
    for (int outcome = 0; outcome < kMediumTypeOutcomes; ++outcome) {
        typeNames.push_back(TypeOutcomeName(outcome));
    }
    TableOdds type("Medium: type by zone", zones, typeNames);
    std::vector<std::string> moonCountGroups;
    for (const OrbitZone zone : kOrbitZones) {
        for (int outcome = 0; outcome < kMediumTypeOutcomes; ++outcome) {
            if (MediumMoonCountGroup(zone, outcome) >= 0) {
                moonCountGroups.push_back(std::string(OrbitZoneName(zone)) + " " + TypeOutcomeName(outcome));
            }
        }
    }
    TableOdds moonCount("Medium: moons by zone and type", moonCountGroups, {"0", "1", "2", "3", "4", "5"});
    for (const OrbitZone zone : kOrbitZones) {
        std::vector<double> typeChance(kMediumTypeOutcomes, 0.0);
        ForEachFace(1, 6, [&](int face, double p) {
            const TypeRow& row = TypeFor(face, zone);
            type.odds[static_cast<int>(zone)][TypeOutcome(row)] += p;
            typeChance[TypeOutcome(row)] += p;
        });
        // The moon count given the type: the rows of that type weighed by their faces.
        ForEachFace(1, 6, [&](int face, double p) {
            const TypeRow& row = TypeFor(face, zone);
            std::vector<double>& counts = moonCount.odds[MediumMoonCountGroup(zone, TypeOutcome(row))];
            const double given = p / typeChance[TypeOutcome(row)];
            if (row.moonDie == 0) {
                counts[MoonCountFor(row, 0)] += given;
            } else {
                ForEachFace(1, row.moonDie,
                            [&](int moonFace, double q) { counts[MoonCountFor(row, moonFace)] += given * q; });
            }
        });
    }

    const std::vector<std::string> valued = {"Terrestrial", "Sub-Terrestrial", "Hostile"};
    std::vector<std::string> values;
    for (int value = 0; value < static_cast<int>(std::size(kValueClasses)); ++value) {
        values.emplace_back(ValueClassName(static_cast<ValueClass>(value)));
    }
    std::vector<std::string> specials;
    for (const SpecialRow& row : kSpecialTable) {
        specials.emplace_back(row.text);
    }
    specials.emplace_back(kNoSpecial.text);
    TableOdds value("Medium: value class by type", valued, values);
    TableOdds special("Medium: special by type", valued, specials);
    for (int group = 0; group < static_cast<int>(std::size(kValuedRules)); ++group) {
        const ValueRule rule = kValuedRules[group];
        ForEachFace(2, 12, [&](int roll, double p) {
            value.odds[group][static_cast<int>(ValueFor(roll, rule))] += p;
        });
        ForEachTwoD6([&](int total, double p) {
            special.odds[group][MediumSpecialRow(SpecialFor(total, rule).text)] += p;
        });
    }

    std::vector<std::string> moonRows;
    for (const MoonRow& row : kMoonTable) {
        moonRows.emplace_back(row.text);
    }
    TableOdds moon("Medium: moon", {""}, moonRows);
    ForEachTwoD6([&](int total, double p) { moon.odds[0][MediumMoonRow(MoonFor(total).text)] += p; });
    return TableList(type, value, special, moonCount, moon);
}

std::vector<std::string_view> MediumSpecialTexts()
{
    std::vector<std::string_view> texts{kNoSpecial.text};
    for (const SpecialRow& row : kSpecialTable) {
        texts.emplace_back(row.text);
    }
    return texts;
}

std::vector<std::string_view> MediumMoonTexts()
{
    std::vector<std::string_view> texts;
    for (const MoonRow& row : kMoonTable) {
        texts.emplace_back(row.text);
    }
    return texts;
}

namespace {

// Whether the row's value rule gives that value class: a class its column
// of the value table holds, or none for the rules that roll no class.
bool ValueReachable(ValueRule rule, std::optional<ValueClass> value)
{
    if (rule == ValueRule::None || rule == ValueRule::Belt) {
        return !value;
    }
    if (!value) {
        return false;
    }
    // The value rolls run from 2 to one more than the rows.
    for (int roll = 2; roll <= static_cast<int>(std::size(kValueTable)) + 1; ++roll) {
        if (ValueFor(roll, rule) == *value) {
            return true;
        }
    }
    return false;
}

// The special's row when two d6 less the rule's modifier reach it.
const SpecialRow* ReachableSpecial(ValueRule rule, std::string_view text)
{
    const int modifier = SpecialModifier(rule);
    if (text == kNoSpecial.text) {
        // Every rule that rolls has totals no row takes.
        return &kNoSpecial;
    }
    const auto row = std::find_if(std::begin(kSpecialTable), std::end(kSpecialTable),
                                  [text](const SpecialRow& r) { return r.text == text; });
    if (modifier == 0 || row == std::end(kSpecialTable) || row->total < 2 - modifier || row->total > 12 - modifier) {
        return nullptr;
    }
    return &*row;
}

}  // namespace

int MediumMostMoons()
{
    int most = 0;
    for (const OrbitZone zone : kOrbitZones) {
        for (const TypeRow& type : TypesOf(zone)) {
            most = std::max(most, MoonCountFor(type, type.moonDie));
        }
    }
    return most;
}

std::optional<MediumObjectValues> MediumObjectValuesOf(const MediumObject& object)
{
    for (const TypeRow& type : TypesOf(object.zone)) {
        const int moons = static_cast<int>(object.moons.size());
        const bool moonsReachable = type.moonDie == 0
                                        ? moons == type.moonModifier
                                        : moons >= 1 + type.moonModifier && moons <= type.moonDie + type.moonModifier;
        const SpecialRow* special = ReachableSpecial(type.rule, object.special);
        if (type.type != object.type || !moonsReachable || !ValueReachable(type.rule, object.value) || !special) {
            continue;
        }
        const ValueRow& value = kValueClasses[static_cast<int>(object.value.value_or(ValueClass::None))];
        int capacity = value.capacity + special->capacity;
        int raw = value.raw + special->raw;
        for (const std::string_view text : object.moons) {
            const auto moon = std::find_if(std::begin(kMoonTable), std::end(kMoonTable),
                                           [text](const MoonRow& r) { return r.text == text; });
            if (moon == std::end(kMoonTable)) {
                return std::nullopt;
            }
            capacity += moon->capacity;
            raw += moon->raw;
        }
        // As GenerateMediumObject: a belt's RAW die gives 0 or 1, either way 1.
        return MediumObjectValues{std::max(capacity, 1), std::max(raw, 1)};
    }
    return std::nullopt;
}

}  // namespace nexmar
