#include "gen/high/high_object.h"

#include "gen/high/moons.h"
#include "gen/high/object_tables.h"

namespace nexmar {

HighObject GenerateHighObject(Dice& dice, OrbitZone zone, bool census)
{
    HighObject object;
    object.zone = zone;
    object.type = RollObjectType(dice, zone);
    object.size = RollObjectSize(dice, object.type);
    int capacity = SizeCapacity(object.size);
    if (object.type == HighObjectType::Asteroid) {
        capacity /= 2;
    }
    int raw = RollRaw(dice, object.type);
    // A Gas Giant's lowest roll, 1, has no entry: "Special: None" and no bonus.
    const int specialRoll = RollSpecial(dice, object.type);
    object.specialRoll = specialRoll;
    object.special = SpecialText(specialRoll);
    object.gaiaWorld = specialRoll == kGaiaWorldRoll;
    capacity = SpecialCapacity(specialRoll, capacity, census);
    raw = SpecialRaw(specialRoll, raw, census);
    // After the bonus: a Tiny Asteroid's halved Capacity of 0 keeps a bonus whole.
    object.capacity = capacity <= 0 ? 1 : capacity;
    object.raw = raw <= 0 ? 1 : raw;

    if (census) {
        const int derived = object.capacity / 2;
        const int moraleAndProductivity = derived - 1 > 0 ? derived - 1 : 1;
        object.census = CensusValues{SpecialCensus(specialRoll, derived),
                                     SpecialMorale(specialRoll, moraleAndProductivity),
                                     SpecialProductivity(specialRoll, moraleAndProductivity)};
    }

    // Asteroids have no moons and roll no moon die.
    if (object.type == HighObjectType::Asteroid) {
        return object;
    }
    const int moons = RollMoonCount(dice, zone, object.size);
    for (int moon = 0; moon < moons; ++moon) {
        object.moons.push_back(GenerateMoon(dice, object.type));
    }
    return object;
}

}  // namespace nexmar
