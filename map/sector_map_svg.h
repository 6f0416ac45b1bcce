#pragma once

#include <string>

#include "map/sector_map_layout.h"

namespace nexmar {

// The one renderer of the sector map: a sector's systems, their routes and
// the words of its head in, a complete SVG document out. The grid with its
// subsector borders, letters and hex numbers; the routes; each system's
// glyph with its name where the layout put it, and the glyph's tooltip with
// the whole name and hex; the title; the legend of what is drawn. Every
// text a user wrote is escaped.
std::string SectorMapSvg(const SectorMapInput& input);
// The same map with the grid's hexes (their outlines, borders and numbers)
// drawn only where they meet area: a printed page of one subsector then
// carries its own hexes, not the 1,280 of the sector.
std::string SectorMapSvg(const SectorMapInput& input, const PictureBox& area);

}  // namespace nexmar
