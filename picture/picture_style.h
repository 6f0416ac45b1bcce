#pragma once

#include <array>
#include <string>
#include <string_view>

namespace nexmar {

// The look of every system picture in one place: the sizes the layout
// computes with and the colours and fonts of the stylesheet each picture
// carries. Shapes and labels tell every body apart, so a picture printed in
// black and white reads as well as in colour; colour only adds to them.
struct PictureStyle {
    // Text, in the reader's own sans-serif face, whichever it is. A label's
    // width is reckoned before any face is chosen, from the advance of each
    // printable ASCII character (space to tilde) in hundredths of an em: the
    // widest of the common sans-serif faces, bold or not (DejaVu Sans Bold,
    // wider than Liberation Sans, Arial and Helvetica), so that no label
    // outgrows its room in any renderer. Any other character counts an em.
    std::string_view fontFamily = "sans-serif";
    std::array<unsigned char, 95> glyphAdvance = {
        35, 46, 53, 84, 70,  101, 88, 31, 46, 46, 53, 84, 38, 42, 38, 37,   //  !"#$%&'()*+,-./
        70, 70, 70, 70, 70,  70,  70, 70, 70, 70, 40, 40, 84, 84, 84, 59,   // 0-9:;<=>?
        100, 78, 77, 74, 84, 69, 69, 83, 84, 38, 38, 78, 64, 100, 84, 86,  // @A-O
        74, 86, 78, 73, 69,  82,  78, 111, 78, 73, 73, 46, 37, 46, 84, 50,  // P-Z[\]^_
        50, 68, 72, 60, 72,  68,  44, 72, 72, 35, 35, 67, 35, 105, 72, 69,  // `a-o
        72, 72, 50, 60, 48,  72,  66, 93, 65, 66, 59, 72, 37, 72, 84};      // p-z{|}~
    double otherGlyphAdvance = 1.0;  // in em
    double lineHeight = 1.25;    // in em; the baseline sits at baselineDrop em under a line's top
    double baselineDrop = 0.92;
    double titleSize = 18;
    double headlineSize = 15;
    double labelSize = 11;
    std::size_t specialGlyphs = 20;  // the longest line of a special result or a moon's, cut beyond

    // Spacing.
    double margin = 16;
    double gap = 8;        // between a shape and its label, and between neighbours
    double rowGap = 18;    // between the rows of components
    double bandPadding = 10;

    // Bodies, radii by size class from the largest star and the smallest object.
    std::array<double, 5> starRadius = {34, 26, 20, 15, 11};             // by StarSize
    std::array<double, 7> objectRadius = {6, 8, 11, 14, 17, 20, 23};      // by HighObjectSize
    std::array<double, 5> mediumObjectRadius = {12, 9, 13, 19, 12};       // by MediumObjectType
    double moonRadius = 3.5;
    int moonsPerColumn = 3;
    double gaiaRingSpread = 4;   // the Gaia World's ring, beyond the object
    double gasGiantRingSpread = 0.55;  // the ring's half width beyond the radius, in radii
    double beltWidth = 10;       // an asteroid belt is a narrow upright band,
    double beltReach = 8;        // reaching this far beyond its radius up and down
    std::array<double, 5> colonyRadius = {10, 14, 18, 22, 26};  // by LowSizeClass
    double importanceRingSpread = 5;

    // The sheet: one cell per system, each picture scaled down to fit its cell.
    double lowCellWidth = 420;
    double lowCellHeight = 220;
    int lowCellsPerRow = 4;
    double rowCellWidth = 1400;
    double mediumCellHeight = 260;  // a Medium system with census fits
    double highCellHeight = 460;    // two components with census fit; three are shrunk a quarter

    // Colours.
    std::string_view ink = "#1a1a1a";
    // Lines are solid: a dashed line reaches a PDF as one shape a dash.
    std::string_view orbit = "#8c8c8c";
    std::string_view paper = "#ffffff";
    std::string_view innerZone = "#f7e4dc";
    std::string_view habitableZone = "#e1f0dc";
    std::string_view outerZone = "#dfe7f5";
    std::array<std::string_view, 7> starColour = {"#9bb0ff", "#aabfff", "#cad7ff", "#f8f7ff",
                                                 "#fff1a6", "#ffc477", "#ff8866"};  // by StarColour
    std::string_view gasGiant = "#e3bf86";
    std::string_view terrestrial = "#6fa774";
    std::string_view subTerrestrial = "#ffffff";
    std::string_view hostile = "#b0613a";
    std::string_view belt = "#8a8a8a";
    std::string_view moon = "#d0d0d0";
    std::string_view colony = "#6fa774";
};

inline constexpr PictureStyle kPictureStyle{};

// The stylesheet of kPictureStyle, as the text of a <style> element.
std::string PictureStyleSheet();
// The rule of a body the players do not know the kind of, which only their
// pictures draw.
std::string UnknownBodyStyle();

// The class of a star's fill, by StarColour: "extremely-hot-blue", "blue-b", ...
std::string_view StarColourClass(int colour);

}  // namespace nexmar
