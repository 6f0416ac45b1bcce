#include "gen/high/high_system.h"

#include <algorithm>

#include "gen/high/high_object.h"
#include "gen/high/moons.h"
#include "gen/high/object_tables.h"
#include "gen/high/star_count_rows.h"
#include "gen/high/star_tables.h"

namespace nexmar {

using namespace high;

namespace {

struct ZoneRow {
    int innerUpTo;
    int habitableUpTo;  // equal to innerUpTo: the star has no Habitable zone
};

// Indexed by StarColour. A total of 0 or less gives no object; above
// habitableUpTo the object is Outer.
constexpr ZoneRow kZoneTable[] = {
    //  Inner  Habitable
    /* Extremely Hot Blue */ {4, 4},
    /* Blue (B) */ {4, 4},
    /* Blue (A) */ {3, 4},
    /* White */ {3, 5},
    /* Yellow */ {2, 5},
    /* Orange */ {2, 4},
    /* Red */ {2, 4},
};

Star RollStar(Dice& dice)
{
    const StarColour colour = RollStarColour(dice);
    return {colour, RollStarSize(dice, SizeRollModifier(colour))};
}

// Rolls the component's stars, then how many objects it has and their zones,
// then each object zone by zone. Only the first star shapes the objects.
StarComponent GenerateComponent(Dice& dice, char letter, int starCount, bool census)
{
    StarComponent component;
    component.letter = letter;
    component.stars.reserve(static_cast<std::size_t>(starCount));
    for (int s = 0; s < starCount; ++s) {
        component.stars.push_back(RollStar(dice));
    }

    // Each zone roll of none costs an object and also one pass of the loop.
    const Star& first = component.stars.front();
    const int zoneModifier = ZoneRollModifier(first.size);
    int zoneCounts[3] = {0, 0, 0};
    int objects = dice.Roll(1, kComponentObjectDie);
    for (int pass = 0; pass < objects; ++pass) {
        if (const std::optional<OrbitZone> zone = RollZone(dice, first.colour, zoneModifier)) {
            ++zoneCounts[static_cast<int>(*zone)];
        } else {
            --objects;
        }
    }

    component.objects.reserve(static_cast<std::size_t>(objects));
    for (const OrbitZone zone : kOrbitZones) {
        for (int n = 0; n < zoneCounts[static_cast<int>(zone)]; ++n) {
            component.objects.push_back(GenerateHighObject(dice, zone, census));
        }
    }
    return component;
}

// The components in order, lettered from A.
std::vector<StarComponent> GenerateComponents(Dice& dice, const Component (&components)[3], bool census)
{
    std::vector<StarComponent> generated;
    generated.reserve(std::size(components));
    char letter = 'A';
    for (const Component component : components) {
        if (component != Component::None) {
            generated.push_back(GenerateComponent(dice, letter++, StarsOf(component), census));
        }
    }
    return generated;
}

}  // namespace

std::optional<OrbitZone> RollZone(Dice& dice, StarColour colour, int zoneModifier)
{
    return ZoneFor(dice.Roll(1, 10), colour, zoneModifier);
}

std::optional<OrbitZone> ZoneFor(int face, StarColour colour, int zoneModifier)
{
    const int total = face + zoneModifier;
    const ZoneRow& row = kZoneTable[static_cast<int>(colour)];
    if (total <= 0) {
        return std::nullopt;
    }
    if (total <= row.innerUpTo) {
        return OrbitZone::Inner;
    }
    return total <= row.habitableUpTo ? OrbitZone::Habitable : OrbitZone::Outer;
}

bool ZoneAroundStar(OrbitZone zone, const Star& first)
{
    const int modifier = ZoneRollModifier(first.size);
    // The same dice as RollZone, face by face.
    for (int face = 1; face <= 10; ++face) {
        if (ZoneFor(face, first.colour, modifier) == zone) {
            return true;
        }
    }
    return false;
}

StarComponent GenerateSingleStar(Dice& dice, char letter, bool census)
{
    return GenerateComponent(dice, letter, 1, census);
}

std::vector<StarComponent> GenerateMultipleStars(Dice& dice, bool census)
{
    return GenerateComponents(dice, ComponentsFor(kMultipleFace, dice.Roll(1, 4)), census);
}

bool IsMultipleSystem(int starFace)
{
    return starFace >= kMultipleFace;
}

int StarsOfSystem(int starFace, int multipleFace)
{
    int stars = 0;
    for (const Component component : ComponentsFor(starFace, multipleFace)) {
        stars += StarsOf(component);
    }
    return stars;
}

std::vector<std::vector<int>> StarGroupings()
{
    std::vector<std::vector<int>> groupings;
    ForEachComponentRoll([&groupings](const Component (&components)[3]) {
        std::vector<int> grouping;
        for (const Component component : components) {
            if (component != Component::None) {
                grouping.push_back(StarsOf(component));
            }
        }
        if (std::find(groupings.begin(), groupings.end(), grouping) == groupings.end()) {
            groupings.push_back(std::move(grouping));
        }
    });
    return groupings;
}

HighSystem GenerateHighSystem(Dice& dice, bool census)
{
    const int starFace = dice.Roll(1, 10);
    if (IsMultipleSystem(starFace)) {
        return {GenerateMultipleStars(dice, census)};
    }
    return {GenerateComponents(dice, ComponentsFor(starFace, 0), census)};
}

// The same dice as GenerateHighSystem, RollZone and the tables they read.
std::vector<TableOdds> HighTableOdds()
{
    TableOdds starCount("High: stars of a system", {""}, {"1", "2", "3", "4", "5", "6"});
    ForEachFace(1, 10, [&](int face, double p) {
        if (IsMultipleSystem(face)) {
            ForEachFace(1, 4, [&](int d4, double q) { starCount.odds[0][StarsOfSystem(face, d4) - 1] += p * q; });
        } else {
            starCount.odds[0][StarsOfSystem(face, 0) - 1] += p;
        }
    });
    std::vector<TableOdds> stars = StarTableOdds();

    std::vector<std::string> starNames;
    for (int colour = 0; colour < static_cast<int>(std::size(kZoneTable)); ++colour) {
        for (int size = 0; size < 5; ++size) {
            starNames.push_back(StarName(static_cast<StarColour>(colour), static_cast<StarSize>(size)));
        }
    }
    TableOdds zone("High: zone by first star", starNames, {"Inner", "Habitable", "Outer"});
    for (int colour = 0; colour < static_cast<int>(std::size(kZoneTable)); ++colour) {
        for (int size = 0; size < 5; ++size) {
            const Star star{static_cast<StarColour>(colour), static_cast<StarSize>(size)};
            std::vector<double>& odds = zone.odds[HighStarGroup(star)];
            // Only a total above 0 gives an object: the odds are those given an object.
            double objects = 0.0;
            ForEachFace(1, 10, [&](int face, double p) {
                if (const std::optional<OrbitZone> zone = ZoneFor(face, star.colour, ZoneRollModifier(star.size))) {
                    odds[static_cast<int>(*zone)] += p;
                    objects += p;
                }
            });
            for (double& p : odds) {
                p /= objects;
            }
        }
    }

    std::vector<TableOdds> tables = TableList(starCount, stars[0], stars[1], zone);
    for (TableOdds& table : ObjectTableOdds()) {
        tables.push_back(std::move(table));
    }
    for (TableOdds& table : MoonTableOdds()) {
        tables.push_back(std::move(table));
    }
    return tables;
}

}  // namespace nexmar
