#include "map/map_glyph.h"

#include "picture/picture_style.h"
#include "picture/svg_picture.h"

namespace nexmar {

namespace {

void AppendPoint(std::string& out, double x, double y)
{
    AppendSvgNumber(out, x);
    out += ',';
    AppendSvgNumber(out, y);
}

void AppendCircle(std::string& out, std::string_view cssClass, MapPoint centre, double radius)
{
    out.append("<circle class=\"").append(cssClass).append("\" cx=\"");
    AppendSvgNumber(out, centre.x);
    out.append("\" cy=\"");
    AppendSvgNumber(out, centre.y);
    out.append("\" r=\"");
    AppendSvgNumber(out, radius);
    out.append("\"/>");
}

// One letter centred in the glyph.
void AppendLetter(std::string& out, MapPoint centre, double radius, std::string_view letter)
{
    const double size = radius * 1.3;
    out.append("<text class=\"letter\" x=\"");
    AppendSvgNumber(out, centre.x);
    out.append("\" y=\"");
    AppendSvgNumber(out, centre.y + size * 0.36);
    out.append("\" font-size=\"");
    AppendSvgNumber(out, size);
    out.append("\">").append(letter).append("</text>");
}

}  // namespace

void AppendGlyph(std::string& out, MapPoint centre, const MapSystem& system)
{
    const MapStyle& s = kMapStyle;
    const double radius = s.glyphRadius[static_cast<std::size_t>(system.sizeClass)];
    if (system.uncertain) {
        AppendCircle(out, "glyph uncertain", centre, radius);
        AppendLetter(out, centre, radius, "?");
    } else if (system.star) {
        const std::string cssClass = "glyph star " + std::string(StarColourClass(static_cast<int>(*system.star)));
        AppendCircle(out, cssClass, centre, radius);
        AppendLetter(out, centre, radius, SpectralLetter(*system.star));
    } else {
        AppendCircle(out, "glyph no-star", centre, radius);
    }
    const double corner = radius * 0.75;
    const double half = s.markSize * 0.8;
    if (system.special) {
        const double x = centre.x + corner;
        const double y = centre.y - corner;
        out.append("<polygon class=\"mark special\" points=\"");
        AppendPoint(out, x, y - half);
        out += ' ';
        AppendPoint(out, x + half, y);
        out += ' ';
        AppendPoint(out, x, y + half);
        out += ' ';
        AppendPoint(out, x - half, y);
        out.append("\"/>");
    }
    if (system.notes) {
        out.append("<rect class=\"mark notes\" x=\"");
        AppendSvgNumber(out, centre.x - corner - half);
        out.append("\" y=\"");
        AppendSvgNumber(out, centre.y - corner - half);
        out.append("\" width=\"");
        AppendSvgNumber(out, half * 1.6);
        out.append("\" height=\"");
        AppendSvgNumber(out, half * 1.6);
        out.append("\"/>");
    }
}

std::string MapStyleSheet()
{
    const MapStyle& s = kMapStyle;
    std::string out;
    const auto rule = [&out](std::string_view selector, std::string_view declarations) {
        out.append(selector).append("{").append(declarations).append("}\n");
    };
    const auto px = [](double value) {
        std::string text;
        AppendSvgNumber(text, value);
        return text + "px";
    };
    rule("text", "font-family:sans-serif;fill:" + std::string(s.ink) + ";stroke:none;");
    rule(".paper", "fill:" + std::string(s.paper) + ";");
    rule(".grid", "fill:none;stroke:" + std::string(s.grid) + ";stroke-width:0.6;");
    rule(".border", "fill:none;stroke:" + std::string(s.border) + ";stroke-width:1.6;stroke-linejoin:round;");
    rule(".subsector-letter", "font-size:" + px(s.subsectorLetterSize) + ";fill:" + std::string(s.subsectorLetter) +
                                  ";text-anchor:middle;font-weight:bold;");
    rule(".hex-number", "font-size:" + px(s.hexNumberSize) + ";fill:" + std::string(s.hexNumber) +
                            ";text-anchor:middle;");
    rule(".route", "stroke:" + std::string(s.route) + ";stroke-width:1.2;stroke-linecap:round;");
    rule(".leader", "stroke:" + std::string(s.ink) + ";stroke-width:0.5;");
    rule(".glyph", "stroke:" + std::string(s.ink) + ";stroke-width:0.8;");
    rule(".no-star", "fill:" + std::string(s.noStar) + ";");
    rule(".uncertain", "fill:" + std::string(s.uncertain) + ";stroke-width:1.2;");
    for (int colour = 0; colour < static_cast<int>(s.starFill.size()); ++colour) {
        rule(".star." + std::string(StarColourClass(colour)),
             "fill:" + std::string(s.starFill[static_cast<std::size_t>(colour)]) + ";");
    }
    rule(".letter", "font-weight:bold;text-anchor:middle;");
    rule(".mark", "fill:" + std::string(s.ink) + ";stroke:" + std::string(s.paper) + ";stroke-width:0.5;");
    // A halo of paper round each name keeps it legible over the grid and the routes.
    rule(".name", "font-size:" + px(s.nameSize) + ";paint-order:stroke;stroke:" + std::string(s.paper) +
                      ";stroke-width:1.8px;stroke-linejoin:round;");
    rule(".neighbour", "font-size:" + px(s.neighbourSize) + ";fill:" + std::string(s.border) + ";text-anchor:middle;");
    rule(".title", "font-size:" + px(s.titleSize) + ";font-weight:bold;");
    rule(".subtitle", "font-size:" + px(s.subtitleSize) + ";");
    rule(".legend", "font-size:" + px(s.legendSize) + ";");
    return out;
}

}  // namespace nexmar
