#pragma once

#include <cstdint>
#include <vector>

#include "map/hex_grid.h"

namespace nexmar {

// How much of the grid a run's map spans: the fewest whole subsectors whose
// hexes, at the density's chance a hex, hold every system; taken in reading
// order, A to P in the first sector, then on in the next. Sectors lie in a
// square as near as can be, filled row by row.
struct MapExtent {
    int subsectors = 1;
    int sectors = 1;
    int sectorsAcross = 1;

    static MapExtent For(int systems, int densityPercent);
    int Hexes() const { return subsectors * kHexesPerSubsector; }
    // The sector, 1 to sectors, that holds place.
    int SectorOf(HexPlace place) const;
    // The top left hex of the sector (1 to sectors).
    HexPlace SectorOrigin(int sector) const;
    // The hex of index, 0 to Hexes() - 1, in reading order of subsectors.
    HexPlace HexAt(int index) const;
};

// The hex of every system of a run: a function of the run's seed, its count
// of systems rolled and the density alone, so a system rerolled or renamed
// keeps its place, and no two systems share a hex. The hexes are a uniform
// choice among those the extent spans, each system given one of them in an
// order shuffled by the places' own stream.
class SystemPlaces {
public:
    SystemPlaces(int systems, int densityPercent, std::uint64_t runSeed);

    // number from 1 to the count of systems.
    HexPlace Of(int number) const { return places_[static_cast<std::size_t>(number - 1)]; }
    // The system at place, 0 when none (one look at every system).
    int At(HexPlace place) const;
    // Puts the system at place, as the referee moved it; MoveFault says
    // whether it may go there.
    void Move(int number, HexPlace place) { places_[static_cast<std::size_t>(number - 1)] = place; }
    int Systems() const { return static_cast<int>(places_.size()); }
    const MapExtent& Extent() const { return extent_; }

private:
    MapExtent extent_;
    std::vector<HexPlace> places_;
};

}  // namespace nexmar
