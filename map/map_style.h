#pragma once

#include <array>
#include <string_view>

#include "map/hex_grid.h"

namespace nexmar {

// The look of the sector map in one place: its sizes, in pixels of the SVG,
// and its colours. The fills are a palette colour-blind readers tell apart
// (blue, white, yellow, orange, vermilion, after Okabe and Ito), and every
// star's glyph also carries its spectral letter, so a map printed in black
// and white reads as well as in colour.
struct MapStyle {
    double hexRadius = 22;  // centre to corner of a flat-topped hex
    double margin = 24;
    double titleSize = 18;
    double subtitleSize = 11;
    double titleBand = 56;  // from the top of the page to the grid
    double nameSize = 7;
    double hexNumberSize = 5.5;
    double subsectorLetterSize = 64;
    double legendSize = 9;
    double neighbourSize = 8;  // the names of the sectors beyond the grid's edges
    double legendRow = 18;
    double legendGap = 16;
    std::array<double, 3> glyphRadius = {4.5, 6, 7.5};  // by size class
    double markSize = 3.2;     // the special's and the note's marks at the glyph's upper corners
    double labelGap = 1.5;     // between a glyph and its name
    double routeClearance = 1.5;  // a route keeps this far from a third glyph

    std::string_view ink = "#1a1a1a";
    std::string_view paper = "#ffffff";
    std::string_view grid = "#b8b8b8";
    std::string_view border = "#6e6e6e";
    std::string_view hexNumber = "#7a7a7a";
    std::string_view subsectorLetter = "#ececec";
    std::string_view route = "#4d4d4d";
    std::string_view noStar = "#9a9a9a";
    std::string_view uncertain = "#ffffff";
    // By StarColour: the three blues share one fill and differ by letter.
    std::array<std::string_view, 7> starFill = {"#56b4e9", "#56b4e9", "#56b4e9", "#ffffff",
                                               "#f0e442", "#e69f00", "#d55e00"};

    double ColumnSpacing() const { return hexRadius * 1.5; }
    double RowHeight() const { return hexRadius * 1.7320508075688772; }
    double GlyphReach(int sizeClass) const { return glyphRadius[static_cast<std::size_t>(sizeClass)] + markSize; }
};

inline constexpr MapStyle kMapStyle{};

// The centre of a hex on the page of its sector's map, whose grid's top left
// corner is at (left, top).
struct MapPoint {
    double x = 0;
    double y = 0;
};
inline MapPoint HexCentre(HexPlace place, double left, double top)
{
    const MapStyle& s = kMapStyle;
    const int column = SectorColumnOf(place);
    const int row = SectorRowOf(place);
    return {left + s.hexRadius + (column - 1) * s.ColumnSpacing(),
            top + s.RowHeight() * (row - (column % 2 == 0 ? 0.0 : 0.5))};
}

}  // namespace nexmar
