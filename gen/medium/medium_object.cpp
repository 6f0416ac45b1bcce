#include "gen/medium/medium_object.h"

#include <algorithm>
#include <optional>

#include "gen/medium/medium_rows.h"

namespace nexmar {

using namespace medium;

namespace {

// The moon die is drawn at once, before any other die of the object.
int RollMoonCount(Dice& dice, const TypeRow& type)
{
    return MoonCountFor(type, type.moonDie == 0 ? 0 : dice.Roll(1, type.moonDie));
}

struct Value {
    std::optional<ValueClass> valueClass;
    int raw = 0;
    int capacity = 0;
};

Value ValueOf(ValueClass valueClass)
{
    const ValueRow& row = ValueRowOf(valueClass);
    return {valueClass, row.raw, row.capacity};
}

// The value class with its base RAW and Capacity, by the type's value rule.
Value RollValue(Dice& dice, ValueRule rule)
{
    switch (rule) {
    case ValueRule::Terrestrial:
    case ValueRule::SubTerrestrial:
    case ValueRule::Hostile:
        return ValueOf(ValueFor(dice.Roll(kLowestValueRoll, kHighestValueRoll), rule));
    case ValueRule::Belt:
        // A belt has no value class; its one die can only give RAW 1.
        return {std::nullopt, dice.Roll(1, 6) == 6 ? 1 : 0, 0};
    case ValueRule::None:
        break;
    }
    return {};
}

const SpecialRow& RollSpecial(Dice& dice, ValueRule rule)
{
    if (SpecialModifier(rule) == 0) {
        return kNoSpecial;
    }
    const int first = dice.Roll(1, 6);
    return SpecialFor(first + dice.Roll(1, 6), rule);
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

    object.moons.reserve(static_cast<std::size_t>(moons));
    for (int moon = 0; moon < moons; ++moon) {
        const MoonRow& row = RollMoon(dice);
        object.moons.push_back(row.text);
        capacity += row.capacity;
        raw += row.raw;
    }

    object.capacity = AtLeastOne(capacity);
    object.raw = AtLeastOne(raw);
    if (census) {
        object.census = MediumObjectCensus(object.capacity);
    }
    return object;
}

}  // namespace nexmar
