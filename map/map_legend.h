#pragma once

#include <string>

#include "map/sector_map_layout.h"

namespace nexmar {

// The legend of a sector's map, built from the symbols the map draws and no
// others: a row of samples, each with its meaning, under the grid, wrapped
// to its width.
double LegendHeight(const SectorMapInput& input, double width);
void AppendLegend(std::string& out, const SectorMapInput& input, double left, double top, double width);

}  // namespace nexmar
