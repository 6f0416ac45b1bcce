#pragma once

#include <cstddef>

namespace nexmar {

// The row of a table of dice totals whose range holds total. Every table
// closes its ends with INT_MIN and INT_MAX, so the last row is only a guard.
template <class Row, std::size_t N>
constexpr const Row& RowFor(const Row (&table)[N], int total)
{
    for (const Row& row : table) {
        if (total >= row.lowest && total <= row.highest) {
            return row;
        }
    }
    return table[N - 1];
}

}  // namespace nexmar
