#pragma once

#include <optional>
#include <string>

#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "map/hex_grid.h"

namespace nexmar {

// Who a map is drawn for: the referee sees everything; the players only
// what the handout's rules let them (no Secret system, Rumoured ones as
// uncertain, a hidden name as none, no referee's note).
enum class MapAudience { Referee, Players };

// What the map draws of a system, read from its record and what the referee
// made of it, and nothing more: a players' map is drawn from these alone,
// so what they must not see never reaches its bytes.
struct MapSystem {
    int number = 0;
    HexPlace place;
    std::string name;  // empty: none shown, the hex number alone
    std::optional<StarColour> star;  // the star, or the main star; none at Low and Medium detail or hidden
    int sizeClass = 1;  // 0 small, 1 middle, 2 large
    bool special = false;
    bool notes = false;
    bool uncertain = false;  // Rumoured, on the players' map
};

// The system as the audience sees it; none for a Secret system on the
// players' map.
std::optional<MapSystem> MapSystemOf(int number, HexPlace place, const SystemRecord& record,
                                     const SectorEdits& edits, MapAudience audience);

}  // namespace nexmar
