#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "map/system_places.h"
#include "model/run_records.h"

namespace nexmar {

// One system of a run as the overview lists it: what a referee compares
// between systems without opening them one by one.
struct OverviewRow {
    std::size_t place = 0;  // its row among the run's records
    int number = 0;
    std::string name;
    std::string hex;  // as the map numbers it: "0304", "0304/2" on a map of sectors
    int hexOrder = 0;  // by sector, then column, then row, as the numbers read
    int stars = 0;       // none below High detail, which rolls no stars
    int objects = 0;     // a Low system is one object
    int moons = 0;
    int gaiaWorlds = 0;
    int bestCapacity = 0;  // of any object or moon
    int totalRaw = 0;      // of every object and moon
    std::string specials;  // each special once, in the order found
};

// A hex's cell: shown by its number, sorted by order.
struct OverviewHex {
    std::string_view number;
    int order = 0;
};

// A cell: numbers sort as numbers, texts as texts, hexes by sector, column and row.
using OverviewCell = std::variant<int, std::string_view, OverviewHex>;

// The overview's columns, in order, each with its title.
inline constexpr std::string_view kOverviewColumns[] = {
    "System", "Name", "Hex", "Stars", "Objects", "Moons", "Gaia Worlds", "Best Capacity", "Total RAW", "Specials"};
inline constexpr int kOverviewColumnCount = static_cast<int>(std::size(kOverviewColumns));

// The cell of row in column (from 0, as kOverviewColumns lists them).
OverviewCell OverviewCellOf(const OverviewRow& row, int column);

// The rows of the systems at places (every system when none is given), in
// the order given, each at its hex among hexes (the run's, as RunPlaces
// gives them with the referee's moves).
std::vector<OverviewRow> OverviewRows(const RunRecords& records, const SystemPlaces& hexes,
                                      const std::optional<std::vector<std::size_t>>& places = std::nullopt);

}  // namespace nexmar
