#pragma once

#include <optional>
#include <string>
#include <vector>

#include "map/map_routes.h"
#include "map/map_style.h"
#include "map/map_system.h"
#include "map/system_places.h"
#include "picture/svg_picture.h"

namespace nexmar {

// What one sector's map shows: its systems (those of the sector the
// audience sees), their routes, and the words of its head.
struct SectorMapInput {
    std::string title;
    std::string subtitle;
    int sector = 1;  // of those the extent spans
    MapExtent extent;
    int jump = kDefaultJump;
    DetailLevel level = DetailLevel::Low;
    MapAudience audience = MapAudience::Referee;
    std::vector<MapSystem> systems;
    std::vector<MapRoute> routes;
};

// A system's name where the layout put it: the whole name or a shortened
// one, beside the glyph or, as a last resort, led out to a free place by a
// line from the glyph. A name with no free place is left out; the glyph's
// tooltip still holds it.
struct MapLabel {
    std::string text;  // empty: left out
    PictureBox box;
    bool abbreviated = false;
    std::optional<MapPoint> leaderFrom;  // the glyph's edge, for a name led out
};

// Where everything of a sector's map goes, computed before a byte of SVG is
// written, so that a test checks that no label overlaps another or a glyph.
struct SectorMapLayout {
    PictureBox viewBox;
    PictureBox grid;  // the hexes of the sector
    std::vector<MapPoint> centres;   // by system, as in the input
    std::vector<PictureBox> glyphs;  // by system: the glyph with its marks
    std::vector<MapLabel> labels;    // by system
    double legendTop = 0;
};

SectorMapLayout LayOutSectorMap(const SectorMapInput& input);

// The box of the hex number drawn at the top of a hex centred at centre.
PictureBox HexNumberBox(MapPoint centre);

}  // namespace nexmar
