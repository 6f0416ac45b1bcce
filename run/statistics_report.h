#pragma once

#include <cstdio>
#include <string>

#include "run/run_statistics.h"

namespace nexmar {

// The sector totals, then per rolled table its fit and, for each outcome a
// group can give or has given, the observed and the expected count.
void PrintStatistics(std::FILE* out, const RunStatistics& statistics);

// The same as one JSON document, as docs/nexmar-stats.schema.json describes it.
std::string StatisticsJson(const RunStatistics& statistics);

}  // namespace nexmar
