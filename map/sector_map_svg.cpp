#include "map/sector_map_svg.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "gen/record_text.h"
#include "map/map_glyph.h"
#include "map/map_legend.h"

namespace nexmar {

namespace {

void AppendNumber(std::string& out, std::string_view name, double value)
{
    out.append(" ").append(name).append("=\"");
    AppendSvgNumber(out, value);
    out.append("\"");
}

void AppendText(std::string& out, std::string_view cssClass, double x, double y, std::string_view text)
{
    out.append("<text class=\"").append(cssClass).append("\"");
    AppendNumber(out, "x", x);
    AppendNumber(out, "y", y);
    out.append(">");
    AppendEscapedXml(out, text);
    out.append("</text>\n");
}

void AppendLine(std::string& out, std::string_view cssClass, MapPoint from, MapPoint to)
{
    out.append("<line class=\"").append(cssClass).append("\"");
    AppendNumber(out, "x1", from.x);
    AppendNumber(out, "y1", from.y);
    AppendNumber(out, "x2", to.x);
    AppendNumber(out, "y2", to.y);
    out.append("/>\n");
}

// The six corners of a hex, clockwise from the top left one: corner i and
// corner i + 1 bound the edge towards HexNeighbours' neighbour i.
std::array<MapPoint, 6> Corners(MapPoint c)
{
    const double r = kMapStyle.hexRadius;
    const double h = kMapStyle.RowHeight() / 2;
    return {{{c.x - r / 2, c.y - h}, {c.x + r / 2, c.y - h}, {c.x + r, c.y}, {c.x + r / 2, c.y + h},
             {c.x - r / 2, c.y + h}, {c.x - r, c.y}}};
}

void AppendMove(std::string& out, char command, MapPoint point)
{
    out += command;
    AppendSvgNumber(out, point.x);
    out += ',';
    AppendSvgNumber(out, point.y);
}

bool InSector(HexPlace place)
{
    return place.column >= 1 && place.column <= kSectorColumns && place.row >= 1 && place.row <= kSectorRows;
}

// Every hex's outline, then the edges between subsectors and round the
// sector, then each hex's number: of the hexes that meet area, when given.
void AppendGrid(std::string& out, const PictureBox& grid, const PictureBox* area)
{
    std::string outlines;
    std::string borders;
    std::string numbers;
    for (int column = 1; column <= kSectorColumns; ++column) {
        for (int row = 1; row <= kSectorRows; ++row) {
            const HexPlace place{column, row};
            const MapPoint centre = HexCentre(place, grid.x, grid.y);
            const PictureBox hex{centre.x - kMapStyle.hexRadius, centre.y - kMapStyle.RowHeight() / 2,
                                 kMapStyle.hexRadius * 2, kMapStyle.RowHeight()};
            if (area != nullptr && !area->Overlaps(hex)) {
                continue;
            }
            const std::array<MapPoint, 6> corners = Corners(centre);
            AppendMove(outlines, 'M', corners[0]);
            for (std::size_t i = 1; i < corners.size(); ++i) {
                AppendMove(outlines, 'L', corners[i]);
            }
            outlines += 'Z';
            HexPlace neighbours[6];
            HexNeighbours(place, neighbours);
            for (std::size_t i = 0; i < 6; ++i) {
                // An edge shared by two subsectors is drawn once, from the first.
                if (!InSector(neighbours[i]) || SubsectorLetter(neighbours[i]) > SubsectorLetter(place)) {
                    AppendMove(borders, 'M', corners[i]);
                    AppendMove(borders, 'L', corners[(i + 1) % 6]);
                }
            }
            const PictureBox box = HexNumberBox(centre);
            AppendText(numbers, "hex-number", centre.x, box.y + kMapStyle.hexNumberSize * 0.92, HexNumber(place));
        }
    }
    out.append("<path class=\"grid\" d=\"").append(outlines).append("\"/>\n");
    out.append("<path class=\"border\" d=\"").append(borders).append("\"/>\n");
    out.append("<g class=\"hex-numbers\">\n").append(numbers).append("</g>\n");
}

void AppendSubsectorLetters(std::string& out, const PictureBox& grid)
{
    const MapStyle& s = kMapStyle;
    out.append("<g class=\"subsector-letters\">\n");
    for (int letter = 0; letter < kSubsectorsPerSector; ++letter) {
        const int across = letter % kSubsectorsAcross;
        const int down = letter / kSubsectorsAcross;
        const double x = grid.x + s.hexRadius + (across * kSubsectorColumns + 3.5) * s.ColumnSpacing();
        const double y = grid.y + s.RowHeight() * (down * kSubsectorRows + 5.25) + s.subsectorLetterSize * 0.35;
        AppendText(out, "subsector-letter", x, y, std::string(1, static_cast<char>('A' + letter)));
    }
    out.append("</g>\n");
}

// The sectors beyond each edge of the one drawn, by name, each centred on
// its edge outside the grid: the sides' names run along them.
void AppendNeighbours(std::string& out, const SectorMapInput& input, const SectorMapLayout& layout)
{
    const MapExtent& extent = input.extent;
    const int across = extent.sectorsAcross;
    const int column = (input.sector - 1) % across;
    const auto exists = [&extent](int sector) { return sector >= 1 && sector <= extent.sectors; };
    const PictureBox& grid = layout.grid;
    const double drop = kMapStyle.neighbourSize * 0.35;
    const struct {
        int sector;
        MapPoint at;
        int turn;  // degrees
    } edges[] = {
        {input.sector - across, {grid.x + grid.width / 2, grid.y - 4}, 0},
        {input.sector + across, {grid.x + grid.width / 2, grid.Bottom() + kMapStyle.neighbourSize + 2}, 0},
        {column > 0 ? input.sector - 1 : 0, {grid.x - 6 - drop, grid.y + grid.height / 2}, -90},
        {column + 1 < across ? input.sector + 1 : 0, {grid.Right() + 6 + drop, grid.y + grid.height / 2}, 90},
    };
    for (const auto& edge : edges) {
        if (!exists(edge.sector)) {
            continue;
        }
        out.append("<text class=\"neighbour\"");
        AppendNumber(out, "x", edge.at.x);
        AppendNumber(out, "y", edge.at.y);
        if (edge.turn != 0) {
            out.append(" transform=\"rotate(" + std::to_string(edge.turn) + " ");
            AppendSvgNumber(out, edge.at.x);
            out += ' ';
            AppendSvgNumber(out, edge.at.y);
            out.append(")\"");
        }
        out.append(">Sector " + std::to_string(edge.sector) + "</text>\n");
    }
}

void AppendRoutes(std::string& out, const SectorMapInput& input, const SectorMapLayout& layout)
{
    out.append("<g class=\"routes\">\n");
    const auto indexOf = [&input](int number) {
        std::size_t index = 0;
        while (input.systems[index].number != number) {
            ++index;
        }
        return index;
    };
    for (const MapRoute& route : input.routes) {
        const std::size_t a = indexOf(route.from);
        const std::size_t b = indexOf(route.to);
        const MapPoint from = layout.centres[a];
        const MapPoint to = layout.centres[b];
        // Each end stops at its glyph's edge.
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const double length = std::hypot(dx, dy);
        const double ra = kMapStyle.glyphRadius[static_cast<std::size_t>(input.systems[a].sizeClass)] / length;
        const double rb = kMapStyle.glyphRadius[static_cast<std::size_t>(input.systems[b].sizeClass)] / length;
        AppendLine(out, "route", {from.x + dx * ra, from.y + dy * ra}, {to.x - dx * rb, to.y - dy * rb});
    }
    out.append("</g>\n");
}

void AppendSystems(std::string& out, const SectorMapInput& input, const SectorMapLayout& layout)
{
    out.append("<g class=\"systems\">\n");
    for (std::size_t i = 0; i < input.systems.size(); ++i) {
        const MapSystem& system = input.systems[i];
        out.append("<g class=\"system\"><title>");
        std::string tip = SystemName(system.number);
        if (!system.name.empty()) {
            tip += ": " + system.name;
        }
        AppendEscapedXml(out, tip + " (" + HexNumber(system.place) + ")");
        out.append("</title>");
        AppendGlyph(out, layout.centres[i], system);
        out.append("</g>\n");
    }
    out.append("</g>\n<g class=\"names\">\n");
    for (const MapLabel& label : layout.labels) {
        if (label.text.empty()) {
            continue;
        }
        if (label.leaderFrom) {
            const MapPoint to{std::clamp(label.leaderFrom->x, label.box.x, label.box.Right()),
                              std::clamp(label.leaderFrom->y, label.box.y, label.box.Bottom())};
            AppendLine(out, "leader", *label.leaderFrom, to);
        }
        AppendText(out, "name", label.box.x, label.box.y + kMapStyle.nameSize * 0.92, label.text);
    }
    out.append("</g>\n");
}

std::string DrawSectorMap(const SectorMapInput& input, const PictureBox* area)
{
    const SectorMapLayout layout = LayOutSectorMap(input);
    const MapStyle& s = kMapStyle;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
    AppendNumber(out, "width", layout.viewBox.width);
    AppendNumber(out, "height", layout.viewBox.height);
    out.append(" viewBox=\"0 0 ");
    AppendSvgNumber(out, layout.viewBox.width);
    out.append(" ");
    AppendSvgNumber(out, layout.viewBox.height);
    out.append("\">\n<title>");
    AppendEscapedXml(out, input.title);
    out.append("</title>\n<desc>");
    AppendEscapedXml(out, "A hex map of " + std::to_string(input.systems.size()) +
                              " systems: subsectors A to P, each hex numbered column then row.");
    out.append("</desc>\n<style>\n").append(MapStyleSheet()).append("</style>\n");
    out.append("<rect class=\"paper\" x=\"0\" y=\"0\"");
    AppendNumber(out, "width", layout.viewBox.width);
    AppendNumber(out, "height", layout.viewBox.height);
    out.append("/>\n");
    AppendSubsectorLetters(out, layout.grid);
    AppendGrid(out, layout.grid, area);
    AppendNeighbours(out, input, layout);
    AppendRoutes(out, input, layout);
    AppendSystems(out, input, layout);
    AppendText(out, "title", s.margin, s.margin + s.titleSize * 0.92, input.title);
    AppendText(out, "subtitle", s.margin, s.margin + s.titleSize * 1.25 + s.subtitleSize, input.subtitle);
    AppendLegend(out, input, layout.grid.x, layout.legendTop, layout.grid.width);
    out.append("</svg>\n");
    return out;
}

}  // namespace

std::string SectorMapSvg(const SectorMapInput& input)
{
    return DrawSectorMap(input, nullptr);
}

std::string SectorMapSvg(const SectorMapInput& input, const PictureBox& area)
{
    return DrawSectorMap(input, &area);
}

}  // namespace nexmar
