#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gen/names/sector_edits.h"
#include "json/private/json_value.h"

namespace nexmar {

// The places a document of format 3 gives its systems, read as they come
// and checked once the count of systems, and with it the map's extent, is
// known: each a hex "CCRR" (and a sector from 1, on a map of several) of
// the map, no two alike. Those the referee moved, away from where the seed
// places them, become the systems' moves. A few integers a system, the
// one set of hexes the check needs.
class DocumentPlaces {
public:
    // Of the system number, at index in the document's array.
    void Read(const JsonValue& system, int number, int index);

    // The systems moved of a run of systemsRolled systems from runSeed,
    // each with its place, in the order read; throws a JsonReadError at the
    // first hex off the map, or held twice.
    std::vector<std::pair<int, HexPlace>> Moves(int systemsRolled, Seed runSeed, int densityPercent) const;

private:
    struct Read_ {
        int number;
        int index;
        int sector;
        HexPlace inSector;  // column and row within the sector
        std::uint32_t line;
    };
    std::vector<Read_> read_;
};

// The routes of a document's head drawn or rubbed out by hand: pairs of
// system numbers, the lower first, each once, in rising order, as the
// export writes them. Numbers beyond the run are the caller's to refuse.
std::vector<MapRoute> ReadRoutes(const JsonValue& routes);

}  // namespace nexmar
