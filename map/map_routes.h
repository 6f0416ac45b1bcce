#pragma once

#include <span>
#include <vector>

#include "map/map_system.h"

namespace nexmar {

// The jump range: the most hexes a route may span.
inline constexpr int kMinJump = 1;
inline constexpr int kMaxJump = 6;
inline constexpr int kDefaultJump = 2;

// A route between two systems, by their numbers in the run, the lower first:
// a route a referee adds or rubs out by hand is stored as one of these.
struct MapRoute {
    int from = 0;
    int to = 0;
    bool operator==(const MapRoute&) const = default;
};

// The routes the rule draws among systems (of one sector's map): every pair
// within jump hexes is a candidate unless its line would cross a third
// system's glyph; of those, every link between neighbouring hexes, and then
// the shortest links that join what is not yet joined (a minimal spanning
// forest by Kruskal, ties broken by the lower numbers). Every system that
// can reach another within the range is joined to it, and the map holds no
// more lines than it needs beyond the shortest hops.
std::vector<MapRoute> PlanRoutes(std::span<const MapSystem> systems, int jump);

// Whether the straight line between the centres of a and b stays clear of
// the glyph of every other system.
bool RouteIsClear(const MapSystem& a, const MapSystem& b, std::span<const MapSystem> systems);

}  // namespace nexmar
