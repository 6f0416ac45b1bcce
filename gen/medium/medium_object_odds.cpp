#include <algorithm>
#include <iterator>
#include <string>

#include "gen/medium/medium_object.h"
#include "gen/medium/medium_rows.h"
#include "gen/odds.h"

namespace nexmar {

using namespace medium;

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

// The outcomes "0" to the most moons any row gives.
std::vector<std::string> MoonCountOutcomes()
{
    std::vector<std::string> counts;
    for (int moons = 0; moons <= MostMoonsOfAnyType(); ++moons) {
        counts.push_back(std::to_string(moons));
    }
    return counts;
}

// Every face of the type's moon die, or the one count of a type without one.
template <class Visit>
void ForEachMoonCount(const TypeRow& row, Visit&& visit)
{
    if (row.moonDie == 0) {
        visit(MoonCountFor(row, 0), 1.0);
    } else {
        ForEachFace(1, row.moonDie, [&](int moonFace, double q) { visit(MoonCountFor(row, moonFace), q); });
    }
}

// The type by zone, and the moon count given the zone and type.
std::vector<TableOdds> TypeAndMoonCountOdds()
{
    std::vector<std::string> zones;
    for (const OrbitZone zone : kOrbitZones) {
        zones.emplace_back(OrbitZoneName(zone));
    }
    std::vector<std::string> typeNames;
    std::vector<std::string> moonCountGroups;
    for (int outcome = 0; outcome < kMediumTypeOutcomes; ++outcome) {
        typeNames.push_back(TypeOutcomeName(outcome));
    }
    for (const OrbitZone zone : kOrbitZones) {
        for (int outcome = 0; outcome < kMediumTypeOutcomes; ++outcome) {
            if (MediumMoonCountGroup(zone, outcome) >= 0) {
                moonCountGroups.push_back(std::string(OrbitZoneName(zone)) + " " + TypeOutcomeName(outcome));
            }
        }
    }
    TableOdds type("Medium: type by zone", zones, typeNames);
    TableOdds moonCount("Medium: moons by zone and type", moonCountGroups, MoonCountOutcomes());
    for (const OrbitZone zone : kOrbitZones) {
        std::vector<double> typeChance(kMediumTypeOutcomes, 0.0);
        ForEachFace(1, 6, [&](int face, double p) {
            const int outcome = TypeOutcome(TypeFor(face, zone));
            type.odds[static_cast<int>(zone)][outcome] += p;
            typeChance[outcome] += p;
        });
        // The moon count given the type: the rows of that type weighed by their faces.
        ForEachFace(1, 6, [&](int face, double p) {
            const TypeRow& row = TypeFor(face, zone);
            std::vector<double>& counts = moonCount.odds[MediumMoonCountGroup(zone, TypeOutcome(row))];
            const double given = p / typeChance[TypeOutcome(row)];
            ForEachMoonCount(row, [&](int moons, double q) { counts[moons] += given * q; });
        });
    }
    return TableList(type, moonCount);
}

// The value class and the special of each type that rolls them.
std::vector<TableOdds> ValueAndSpecialOdds()
{
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
        ForEachFace(kLowestValueRoll, kHighestValueRoll, [&](int roll, double p) {
            value.odds[group][static_cast<int>(ValueFor(roll, rule))] += p;
        });
        ForEachTwoD6([&](int total, double p) {
            special.odds[group][MediumSpecialRow(SpecialFor(total, rule).text)] += p;
        });
    }
    return TableList(value, special);
}

TableOdds MoonOdds()
{
    std::vector<std::string> moonRows;
    for (const MoonRow& row : kMoonTable) {
        moonRows.emplace_back(row.text);
    }
    TableOdds moon("Medium: moon", {""}, moonRows);
    ForEachTwoD6([&](int total, double p) { moon.odds[0][MediumMoonRow(MoonFor(total).text)] += p; });
    return moon;
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
    const MoonRow* row = MoonNamed(text);
    return row == nullptr ? -1 : static_cast<int>(row - std::begin(kMoonTable));
}

// The same dice as GenerateMediumObject, read through the same rows, in the
// order MediumTable lists them.
std::vector<TableOdds> MediumObjectTableOdds()
{
    std::vector<TableOdds> typeAndMoonCount = TypeAndMoonCountOdds();
    std::vector<TableOdds> valueAndSpecial = ValueAndSpecialOdds();
    return TableList(std::move(typeAndMoonCount[0]), std::move(valueAndSpecial[0]), std::move(valueAndSpecial[1]),
                     std::move(typeAndMoonCount[1]), MoonOdds());
}

}  // namespace nexmar
