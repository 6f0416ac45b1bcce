#include "gen/high/high_object.h"

#include "gen/high/moons.h"
#include "gen/high/object_tables.h"

namespace nexmar {

int HighObjectCapacity(HighObjectType type, HighObjectSize size, int specialRoll, bool census)
{
    int capacity = SizeCapacity(size);
    if (type == HighObjectType::Asteroid) {
        capacity /= 2;
    }
    capacity = SpecialCapacity(specialRoll, capacity, census);
    // After the bonus: a Tiny Asteroid's halved Capacity of 0 keeps a bonus whole.
    return capacity <= 0 ? 1 : capacity;
}

int HighObjectRaw(int tableRaw, int specialRoll, bool census)
{
    const int raw = SpecialRaw(specialRoll, tableRaw, census);
    return raw <= 0 ? 1 : raw;
}

CensusValues HighObjectCensus(int capacity, int specialRoll)
{
    const int derived = capacity / 2;
    const int moraleAndProductivity = derived - 1 > 0 ? derived - 1 : 1;
    return CensusValues{SpecialCensus(specialRoll, derived), SpecialMorale(specialRoll, moraleAndProductivity),
                        SpecialProductivity(specialRoll, moraleAndProductivity)};
}

HighObject GenerateHighObject(Dice& dice, OrbitZone zone, bool census)
{
    HighObject object;
    object.zone = zone;
    object.type = RollObjectType(dice, zone);
    object.size = RollObjectSize(dice, object.type);
    const int tableRaw = RollRaw(dice, object.type);
    // A Gas Giant's lowest roll, 1, has no entry: "Special: None" and no bonus.
    const int specialRoll = RollSpecial(dice, object.type);
    object.specialRoll = specialRoll;
    object.special = SpecialText(specialRoll);
    object.gaiaWorld = specialRoll == kGaiaWorldRoll;
    object.capacity = HighObjectCapacity(object.type, object.size, specialRoll, census);
    object.raw = HighObjectRaw(tableRaw, specialRoll, census);
    if (census) {
        object.census = HighObjectCensus(object.capacity, specialRoll);
    }

    // Asteroids have no moons and roll no moon die.
    if (object.type == HighObjectType::Asteroid) {
        return object;
    }
    const int moons = RollMoonCount(dice, zone, object.size);
    object.moons.reserve(static_cast<std::size_t>(moons));
    for (int moon = 0; moon < moons; ++moon) {
        object.moons.push_back(GenerateMoon(dice, object.type));
    }
    return object;
}

}  // namespace nexmar
