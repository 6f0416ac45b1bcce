#pragma once

#include <optional>
#include <vector>

#include "core/dice.h"
#include "gen/high/star_count_rows.h"
#include "gen/records.h"

namespace nexmar {

// One High-detail system: one d10 for its stars, then each lettered
// component with its stars, objects and moons.
HighSystem GenerateHighSystem(Dice& dice, bool census);

// A single star under one letter, with the objects it shapes.
StarComponent GenerateSingleStar(Dice& dice, char letter, bool census);
// Two or three components chosen by one d4, always beginning with a pair A.
std::vector<StarComponent> GenerateMultipleStars(Dice& dice, bool census);

// One d10 plus the first star's zone modifier: the zone of one object, or
// none when the total is 0 or less.
std::optional<OrbitZone> RollZone(Dice& dice, StarColour colour, int zoneModifier);
std::optional<OrbitZone> ZoneFor(int face, StarColour colour, int zoneModifier);

// The stars of a system by its d10 and, for a multiple system, its d4.
bool IsMultipleSystem(int starFace);
int StarsOfSystem(int starFace, int multipleFace);
// Every way those dice group a system's stars: the stars of each component,
// A first, each grouping once.
std::vector<std::vector<int>> StarGroupings();
// The most components of a system, and the most stars of one component.
inline constexpr int kHighMostComponents = high::MostComponents();
inline constexpr int kHighMostStarsInAComponent = high::MostStarsInAComponent();

// A component's object count is one d10, less each zone roll of none.
inline constexpr int kComponentObjectDie = 10;

// Whether the zone roll of a component whose first star is first reaches zone.
bool ZoneAroundStar(OrbitZone zone, const Star& first);

}  // namespace nexmar
