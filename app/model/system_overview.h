#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/run_records.h"

namespace nexmar {

// One system of a run as the overview lists it: what a referee compares
// between systems without opening them one by one.
struct OverviewRow {
    std::size_t place = 0;  // its row among the run's records
    int number = 0;
    std::string name;
    int stars = 0;       // none below High detail, which rolls no stars
    int objects = 0;     // a Low system is one object
    int moons = 0;
    int gaiaWorlds = 0;
    int bestCapacity = 0;  // of any object or moon
    int totalRaw = 0;      // of every object and moon
    std::string specials;  // each special once, in the order found
};

// A cell: numbers sort as numbers, texts as texts.
using OverviewCell = std::variant<int, std::string_view>;

// The overview's columns, in order, each with its title.
inline constexpr std::string_view kOverviewColumns[] = {"System", "Name",        "Stars",     "Objects",
                                                        "Moons",  "Gaia Worlds", "Best Capacity", "Total RAW",
                                                        "Specials"};
inline constexpr int kOverviewColumnCount = static_cast<int>(std::size(kOverviewColumns));

// The cell of row in column (from 0, as kOverviewColumns lists them).
OverviewCell OverviewCellOf(const OverviewRow& row, int column);

// The rows of the systems at places (every system when none is given), in
// the order given.
std::vector<OverviewRow> OverviewRows(const RunRecords& records,
                                      const std::optional<std::vector<std::size_t>>& places = std::nullopt);

}  // namespace nexmar
