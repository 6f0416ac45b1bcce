#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "stats/run_statistics.h"

namespace nexmar {

// The sector totals as label and value, in the order they are shown; the
// counts by size class, type and zone as one line each.
struct TotalLine {
    std::string label;
    std::string value;
};
std::vector<TotalLine> SectorLines(const SectorTotals& totals);
// The counts alone: systems, stars, objects, moons, Gaia Worlds and the
// statistics added up, as the level keeps them.
std::vector<TotalLine> CountLines(const SectorTotals& totals);

// One outcome of a table as the report, the JSON document and the window
// show it: how often it came up, and how often the odds expect it.
struct OutcomeTotal {
    std::string outcome;
    long observed = 0;
    double expected = 0.0;
};
// The outcomes of table given one group's value, or, with no group, of all
// groups with their counts added up: those that a group can give or has
// given, in the table's order.
std::vector<OutcomeTotal> OutcomeTotals(const RunStatistics& statistics, std::size_t table,
                                        std::optional<std::size_t> group = std::nullopt);

// The sector totals, then per rolled table its fit and, for each outcome a
// group can give or has given, the observed and the expected count.
void PrintStatistics(std::FILE* out, const RunStatistics& statistics);

// The same as one JSON document, as docs/nexmar-stats.schema.json describes it.
std::string StatisticsJson(const RunStatistics& statistics);

}  // namespace nexmar
