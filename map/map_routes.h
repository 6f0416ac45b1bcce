#pragma once

#include <span>
#include <vector>

#include "gen/names/sector_map_edits.h"
#include "map/map_system.h"

namespace nexmar {

// The routes the rule draws among systems (of one sector's map): every pair
// within jump hexes is a candidate unless its line would cross a third
// system's glyph; of those, every link between neighbouring hexes, and then
// the shortest links that join what is not yet joined (a minimal spanning
// forest by Kruskal, ties broken by the lower numbers). Every system that
// can reach another within the range is joined to it, and the map holds no
// more lines than it needs beyond the shortest hops.
std::vector<MapRoute> PlanRoutes(std::span<const MapSystem> systems, int jump);

// The routes of the map as the referee left them: those the rule draws
// within jump hexes, less those rubbed out by hand, with those drawn by
// hand between two of the systems (a hand route's line is the referee's
// and is kept even across a glyph).
std::vector<MapRoute> DrawnRoutes(std::span<const MapSystem> systems, int jump, const SectorMapEdits& edits);

// Whether the straight line between the centres of a and b stays clear of
// the glyph of every other system.
bool RouteIsClear(const MapSystem& a, const MapSystem& b, std::span<const MapSystem> systems);

}  // namespace nexmar
