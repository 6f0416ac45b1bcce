#pragma once

#include <string>
#include <vector>

#include "gen/names/sector_edits.h"
#include "stats/run_statistics.h"

namespace nexmar {

// What a referee looks for first in a sector, as the statistics window opens
// on it: the counts, each special result, the best worlds by Capacity and
// the breakdowns, each under a title that says what its rows count, so that
// no two rows read alike.
struct SummaryRow {
    std::string label;
    std::string value;
};
struct SummarySection {
    std::string title;
    std::vector<SummaryRow> rows;
};

// The sections that have rows; edits name the best worlds' systems.
std::vector<SummarySection> SectorSummary(const SectorTotals& totals, const SectorEdits& edits);

}  // namespace nexmar
