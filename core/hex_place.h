#pragma once

namespace nexmar {

// A hex of a run's map, by column and row from 1 over every sector of it:
// sectors lie side by side, so column 33 is the first of the second sector
// across. As a sector's width is even, a column's parity, and with it its
// half-hex drop, is the same in the sector as on the whole map. It lives
// below the map so that the sector's edits can keep a system moved by hand.
struct HexPlace {
    int column = 1;
    int row = 1;
    bool operator==(const HexPlace&) const = default;
};

}  // namespace nexmar
