#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/dice.h"
#include "gen/medium/medium_rows.h"
#include "gen/odds.h"
#include "gen/records.h"

namespace nexmar {

// One object of a Medium-detail system: its type and moons, value class,
// special, Capacity and RAW, and with the census option Census, Morale and
// Productivity. The zone picks the type table.
MediumObject GenerateMediumObject(Dice& dice, OrbitZone zone, bool census);

// The odds of the object's tables, from Type to Moon of MediumTable.
std::vector<TableOdds> MediumObjectTableOdds();
// Census from half the Capacity, Morale and Productivity one less, at least 1.
CensusValues MediumObjectCensus(int capacity);

// The Capacity and RAW the tables give an object of its zone and type with
// its value class, special and moons (the rest of the record is not read);
// nothing when no roll of the zone's rows gives those together.
struct MediumObjectValues {
    int capacity = 0;
    int raw = 0;
};
std::optional<MediumObjectValues> MediumObjectValuesOf(const MediumObject& object);

// The most moons any type of any zone's rows gives, by its moon die.
inline constexpr int kMediumMostMoons = medium::MostMoonsOfAnyType();

// Every text an object's special or one of its moons can show, in table order.
std::vector<std::string_view> MediumSpecialTexts();
std::vector<std::string_view> MediumMoonTexts();

}  // namespace nexmar
