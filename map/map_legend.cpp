#include "map/map_legend.h"

#include <algorithm>
#include <vector>

#include "map/map_glyph.h"

namespace nexmar {

namespace {

// Sizes by level: what a glyph's size class stands for.
constexpr std::string_view kSizeMeaning[3][3] = {
    {"Outpost", "Colony", "Major colony"},
    {"Up to 3 bodies", "4 to 6 bodies", "7 bodies or more"},
    {"Main star: dwarf or subgiant", "Main star: giant", "Main star: bright giant or supergiant"},
};

struct LegendEntry {
    std::optional<MapSystem> sample;  // none: a route
    std::string text;
};

template <class Test>
bool AnyDrawn(const SectorMapInput& input, Test test)
{
    return std::any_of(input.systems.begin(), input.systems.end(), test);
}

std::vector<LegendEntry> LegendEntries(const SectorMapInput& input)
{
    std::vector<LegendEntry> entries;
    for (int colour = 0; colour <= static_cast<int>(StarColour::Red); ++colour) {
        const auto star = static_cast<StarColour>(colour);
        if (AnyDrawn(input, [star](const MapSystem& s) { return !s.uncertain && s.star == star; })) {
            MapSystem sample;
            sample.star = star;
            entries.push_back({sample, std::string(StarColourName(star)) + " star (" +
                                           std::string(SpectralLetter(star)) + ")"});
        }
    }
    if (AnyDrawn(input, [](const MapSystem& s) { return !s.uncertain && !s.star; })) {
        entries.push_back({MapSystem{}, input.level == DetailLevel::High ? "Star not shown" : "System"});
    }
    for (int size = 0; size < 3; ++size) {
        if (AnyDrawn(input, [size](const MapSystem& s) { return !s.uncertain && s.sizeClass == size; })) {
            MapSystem sample;
            sample.sizeClass = size;
            entries.push_back({sample, std::string(kSizeMeaning[static_cast<int>(input.level)][size])});
        }
    }
    if (AnyDrawn(input, [](const MapSystem& s) { return s.special; })) {
        MapSystem sample;
        sample.special = true;
        entries.push_back({sample, "Special result"});
    }
    if (AnyDrawn(input, [](const MapSystem& s) { return s.notes; })) {
        MapSystem sample;
        sample.notes = true;
        entries.push_back(
            {sample, input.audience == MapAudience::Players ? "Notes for the players" : "Referee's notes"});
    }
    if (AnyDrawn(input, [](const MapSystem& s) { return s.uncertain; })) {
        MapSystem sample;
        sample.uncertain = true;
        entries.push_back({sample, "Rumoured: uncertain"});
    }
    if (!input.routes.empty()) {
        entries.push_back(
            {std::nullopt, "Route within " + std::to_string(input.jump) + (input.jump == 1 ? " hex" : " hexes")});
    }
    return entries;
}

constexpr double kSampleWidth = 20;

double EntryWidth(const LegendEntry& entry)
{
    return kSampleWidth + 4 + TextWidth(entry.text, kMapStyle.legendSize) + kMapStyle.legendGap;
}

// Lays the entries out in rows; calls place(entry, x, rowTop) for each.
template <class Place>
int FlowEntries(const std::vector<LegendEntry>& entries, double width, Place place)
{
    int rows = entries.empty() ? 0 : 1;
    double x = 0;
    for (const LegendEntry& entry : entries) {
        const double entryWidth = EntryWidth(entry);
        if (x > 0 && x + entryWidth > width) {
            ++rows;
            x = 0;
        }
        place(entry, x, (rows - 1) * kMapStyle.legendRow);
        x += entryWidth;
    }
    return rows;
}

}  // namespace

double LegendHeight(const SectorMapInput& input, double width)
{
    return FlowEntries(LegendEntries(input), width, [](const LegendEntry&, double, double) {}) * kMapStyle.legendRow;
}

void AppendLegend(std::string& out, const SectorMapInput& input, double left, double top, double width)
{
    out.append("<g class=\"legend\">\n");
    FlowEntries(LegendEntries(input), width, [&](const LegendEntry& entry, double x, double rowTop) {
        const MapPoint centre{left + x + kSampleWidth / 2, top + rowTop + kMapStyle.legendRow / 2};
        if (entry.sample) {
            AppendGlyph(out, centre, *entry.sample);
        } else {
            out.append("<line class=\"route\" x1=\"");
            AppendSvgNumber(out, centre.x - kSampleWidth / 2);
            out.append("\" y1=\"");
            AppendSvgNumber(out, centre.y);
            out.append("\" x2=\"");
            AppendSvgNumber(out, centre.x + kSampleWidth / 2);
            out.append("\" y2=\"");
            AppendSvgNumber(out, centre.y);
            out.append("\"/>");
        }
        out.append("<text class=\"legend\" x=\"");
        AppendSvgNumber(out, centre.x + kSampleWidth / 2 + 4);
        out.append("\" y=\"");
        AppendSvgNumber(out, centre.y + kMapStyle.legendSize * 0.35);
        out.append("\">");
        AppendEscapedXml(out, entry.text);
        out.append("</text>\n");
    });
    out.append("</g>\n");
}

}  // namespace nexmar
