#include <climits>

#include "gen/high/moons.h"

namespace nexmar {

namespace {

// A moon's RAW may be 0.
constexpr MoonTableRow kMoonByTotal[] = {
    // total         Cap RAW
    {INT_MIN, 4, 1, 0},
    {5, 7, 1, 1},
    {8, 9, 2, 1},
    {10, INT_MAX, 2, 2},
};

}  // namespace

std::span<const MoonTableRow> HighMoonTable()
{
    return kMoonByTotal;
}

}  // namespace nexmar
