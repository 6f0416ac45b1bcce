#pragma once

#include <string>

#include "map/map_style.h"
#include "map/map_system.h"

namespace nexmar {

// A system's glyph: a disc sized by its size class, filled by its star's
// colour and lettered with the star's spectral class (grey and unlettered
// without a star), a diamond at its upper right for a special, a square at
// its upper left for notes; a Rumoured system on the players' map is an
// open disc with a question mark. The map and its legend draw it alike.
void AppendGlyph(std::string& out, MapPoint centre, const MapSystem& system);

// The stylesheet of the map, as the text of a <style> element.
std::string MapStyleSheet();

}  // namespace nexmar
