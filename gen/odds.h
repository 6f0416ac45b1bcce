#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gen/records.h"

namespace nexmar {

class HouseRules;

// The chance of each face of Dice::Roll(low, high) with the real dice, index 0
// being low: every 15-bit draw goes through RollFromSource once, and a draw
// that the die would throw away and draw again after counts as no face.
std::vector<double> FaceOdds(int low, int high);

// Calls visit(face, chance) for each face of Roll(low, high).
template <class Visit>
void ForEachFace(int low, int high, Visit&& visit)
{
    const std::vector<double> odds = FaceOdds(low, high);
    for (int face = low; face <= high; ++face) {
        visit(face, odds[face - low]);
    }
}

// Calls visit(total, chance) for each total of two separate d6.
template <class Visit>
void ForEachTwoD6(Visit&& visit)
{
    const std::vector<double> d6 = FaceOdds(1, 6);
    for (int first = 1; first <= 6; ++first) {
        for (int second = 1; second <= 6; ++second) {
            visit(first + second, d6[first - 1] * d6[second - 1]);
        }
    }
}

// The exact odds of one rolled table. A table read in the light of an earlier
// result (object types by zone) has one group per such result, each with the
// chances of the outcomes given it; any other table has one unnamed group.
// Only groups that can occur are listed, so every group's odds sum to 1.
struct TableOdds {
    std::string name;
    std::vector<std::string> groups;
    std::vector<std::string> outcomes;
    std::vector<std::vector<double>> odds;  // [group][outcome]

    TableOdds(std::string tableName, std::vector<std::string> groupNames, std::vector<std::string> outcomeNames);
};

// The tables moved into one list, as a braced list would copy them.
template <class... Tables>
std::vector<TableOdds> TableList(Tables&&... tables)
{
    std::vector<TableOdds> list;
    list.reserve(sizeof...(tables));
    (list.push_back(std::move(tables)), ...);
    return list;
}

// The rolled tables of each level, in the order the level's odds list them.
// The comment of each names its groups and outcomes by index.
enum class LowTable {
    SizeClass,  // outcome: LowSizeClass; the first system's fixed class is no roll
    Special,    // group: LowSizeClass; outcome: LowSpecialRow
};
enum class MediumTable {
    Layout,     // outcome: the number of objects less 1
    Type,       // group: OrbitZone; outcome: MediumTypeOutcome
    Value,      // group: MediumValuedGroup; outcome: ValueClass
    Special,    // group: MediumValuedGroup; outcome: MediumSpecialRow
    MoonCount,  // group: MediumMoonCountGroup; outcome: the number of moons
    Moon,       // outcome: MediumMoonRow, once per moon
};
enum class HighTable {
    StarCount,  // outcome: the stars of a system less 1
    Colour,     // outcome: StarColour, once per star
    StarSize,   // group: StarColour; outcome: StarSize
    Zone,       // group: HighStarGroup of the component's first star; outcome: OrbitZone
    Type,       // group: OrbitZone; outcome: HighObjectType
    Size,       // group: HighObjectType; outcome: HighObjectSize
    Raw,        // group: HighObjectType; outcome: the RAW before the special, less 1
    Special,    // group: HighObjectType; outcome: the special roll less 1
    MoonCount,  // group: HighMoonCountGroup, objects other than Asteroids; outcome: moons
    Moon,       // group: HighMoonGroup; outcome: HighMoonRow
};

// With house rules, the odds of the tables they change follow their rows.
std::vector<TableOdds> LowTableOdds(const HouseRules* rules = nullptr);
std::vector<TableOdds> MediumTableOdds();
std::vector<TableOdds> HighTableOdds();
std::vector<TableOdds> TableOddsOf(DetailLevel level, const HouseRules* rules = nullptr);

// The row of the Low special table that gave text.
int LowSpecialRow(std::string_view text);

// A Medium object's type, with the Outer Hostile that has no value class
// apart: MediumObjectType, or kMediumHostileWithoutValue.
inline constexpr int kMediumHostileWithoutValue = 5;
inline constexpr int kMediumTypeOutcomes = 6;
int MediumTypeOutcome(const MediumObject& object);
// The types that roll a value class and a special: 0 Terrestrial,
// 1 Sub-Terrestrial, 2 Hostile; -1 for the others.
int MediumValuedGroup(const MediumObject& object);
// The row of the Medium special table, or its count for no special.
int MediumSpecialRow(std::string_view text);
// The group of an object's moon count: its zone and type outcome; -1 for a
// pair the tables never give.
int MediumMoonCountGroup(OrbitZone zone, int typeOutcome);
int MediumMoonRow(std::string_view text);

// A star's colour and size class: StarColour * 5 + StarSize.
inline int HighStarGroup(const Star& star)
{
    return static_cast<int>(star.colour) * 5 + static_cast<int>(star.size);
}
// The group of an object's moon count: its zone and its size.
inline constexpr int kHighObjectSizes = static_cast<int>(HighObjectSize::HugeCapacity8) + 1;
constexpr int HighMoonCountGroup(OrbitZone zone, HighObjectSize size)
{
    return static_cast<int>(zone) * kHighObjectSizes + static_cast<int>(size);
}
// The row of the High moon table that gave moon.
int HighMoonRow(const HighMoon& moon);
// The group of a moon: 1 for a Gas Giant's, 0 for any other planet's.
constexpr int HighMoonGroup(HighObjectType planet)
{
    return planet == HighObjectType::GasGiant ? 1 : 0;
}

}  // namespace nexmar
