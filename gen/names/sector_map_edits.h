#pragma once

#include <compare>
#include <vector>

namespace nexmar {

// The map's settings a run is saved with: the density its places are drawn
// at, in percent of hexes holding a system, and the jump range of its
// routes, in hexes. The named densities and their reading are the map's.
inline constexpr int kDefaultDensity = 50;
inline constexpr int kMinJump = 1;
inline constexpr int kMaxJump = 6;
inline constexpr int kDefaultJump = 2;

// A route between two systems, by their numbers in the run, the lower first:
// a route a referee adds or rubs out by hand is stored as one of these.
struct MapRoute {
    int from = 0;
    int to = 0;
    auto operator<=>(const MapRoute&) const = default;
};

// What the referee made of the sector's map: its density and jump range,
// and the routes drawn or rubbed out by hand over those the rule draws,
// each list sorted and the two apart. A system moved by hand keeps its hex
// in its own edits.
struct SectorMapEdits {
    int density = kDefaultDensity;
    int jump = kDefaultJump;
    std::vector<MapRoute> routesAdded;
    std::vector<MapRoute> routesRemoved;

    // Draws (present) or rubs out the route between a and b by hand, which
    // undoes the other; a route from a system to itself is none.
    void SetRoute(int a, int b, bool present);
    bool operator==(const SectorMapEdits&) const = default;
};

}  // namespace nexmar
