#include "map/sector_map_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "map/box_index.h"
#include "map/map_legend.h"

namespace nexmar {

namespace {

constexpr std::size_t kShortenedGlyphs[] = {16, 10, 6};

struct LabelSize {
    double width;
    double height;
};

// The places around a glyph a name may take, best first: under it, as the
// hobby's maps write names, then beside it, then at its corners, then above.
std::array<PictureBox, 8> CandidateBoxes(MapPoint centre, double radius, double reach, LabelSize size)
{
    const double gap = kMapStyle.labelGap;
    const double w = size.width;
    const double h = size.height;
    const double x = centre.x;
    const double y = centre.y;
    const double corner = radius * 0.7;
    return {{{x - w / 2, y + radius + gap, w, h},
             {x + reach + gap, y - h / 2, w, h},
             {x - reach - gap - w, y - h / 2, w, h},
             {x + corner + gap, y + corner, w, h},
             {x - corner - gap - w, y + corner, w, h},
             {x + reach * 0.7 + gap, y - reach * 0.7 - h, w, h},
             {x - reach * 0.7 - gap - w, y - reach * 0.7 - h, w, h},
             {x - w / 2, y - reach - gap - h, w, h}}};
}

// Places a hex away, for a name led out from its glyph.
std::array<PictureBox, 6> LeadOutBoxes(MapPoint centre, LabelSize size)
{
    const double step = kMapStyle.RowHeight();
    const double w = size.width;
    const double h = size.height;
    const double x = centre.x;
    const double y = centre.y;
    return {{{x - w / 2, y + step, w, h},
             {x + step, y + step / 2, w, h},
             {x - step - w, y + step / 2, w, h},
             {x + step, y - step / 2 - h, w, h},
             {x - step - w, y - step / 2 - h, w, h},
             {x - w / 2, y - step - h, w, h}}};
}

MapPoint GlyphEdgeTowards(MapPoint centre, double radius, const PictureBox& box)
{
    const double tx = std::clamp(centre.x, box.x, box.Right()) - centre.x;
    const double ty = std::clamp(centre.y, box.y, box.Bottom()) - centre.y;
    const double length = std::max(std::hypot(tx, ty), 1e-9);
    return {centre.x + tx / length * radius, centre.y + ty / length * radius};
}

class Labeller {
public:
    Labeller(const PictureBox& area, BoxIndex& taken) : area_(area), taken_(taken) {}

    MapLabel Place(const std::string& name, MapPoint centre, int sizeClass)
    {
        const double radius = kMapStyle.glyphRadius[static_cast<std::size_t>(sizeClass)];
        const double reach = kMapStyle.GlyphReach(sizeClass);
        for (std::size_t form = 0; form <= std::size(kShortenedGlyphs); ++form) {
            const std::string text = form == 0 ? name : Abbreviated(name, kShortenedGlyphs[form - 1]);
            if (form > 0 && text == name) {
                continue;
            }
            for (const PictureBox& box : CandidateBoxes(centre, radius, reach, SizeOf(text))) {
                if (Free(box)) {
                    return Take({text, box, form > 0, std::nullopt});
                }
            }
        }
        const std::string shortened = Abbreviated(name, kShortenedGlyphs[1]);
        for (const PictureBox& box : LeadOutBoxes(centre, SizeOf(shortened))) {
            if (Free(box)) {
                return Take({shortened, box, shortened != name, GlyphEdgeTowards(centre, radius, box)});
            }
        }
        return {};
    }

private:
    static LabelSize SizeOf(const std::string& text)
    {
        return {TextWidth(text, kMapStyle.nameSize), LineHeight(kMapStyle.nameSize)};
    }
    bool Free(const PictureBox& box) const { return area_.Contains(box) && !taken_.Overlaps(box); }
    MapLabel Take(MapLabel label)
    {
        taken_.Add(label.box);
        return label;
    }

    PictureBox area_;
    BoxIndex& taken_;
};

}  // namespace

PictureBox HexNumberBox(MapPoint centre)
{
    const double width = TextWidth("0000", kMapStyle.hexNumberSize);
    return {centre.x - width / 2, centre.y - kMapStyle.RowHeight() / 2 + 1, width, LineHeight(kMapStyle.hexNumberSize)};
}

SectorMapLayout LayOutSectorMap(const SectorMapInput& input)
{
    const MapStyle& s = kMapStyle;
    SectorMapLayout layout;
    layout.grid = {s.margin, s.margin + s.titleBand, s.hexRadius * 2 + s.ColumnSpacing() * (kSectorColumns - 1),
                   s.RowHeight() * (kSectorRows + 0.5)};
    BoxIndex taken(layout.grid, s.RowHeight() * 2);
    for (const MapSystem& system : input.systems) {
        const MapPoint centre = HexCentre(system.place, layout.grid.x, layout.grid.y);
        const double radius = s.glyphRadius[static_cast<std::size_t>(system.sizeClass)];
        const double reach = s.GlyphReach(system.sizeClass);
        // The marks sit at the glyph's upper corners, so below it the glyph
        // ends at its circle.
        const PictureBox glyph{centre.x - reach, centre.y - reach, reach * 2, reach + radius};
        layout.centres.push_back(centre);
        layout.glyphs.push_back(glyph);
        taken.Add(glyph);
        // A system's hex number stays readable: it is all a nameless one shows.
        taken.Add(HexNumberBox(centre));
    }
    // The largest glyphs choose first, then by number.
    std::vector<std::size_t> order(input.systems.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&input](std::size_t a, std::size_t b) {
        const MapSystem& x = input.systems[a];
        const MapSystem& y = input.systems[b];
        return x.sizeClass != y.sizeClass ? x.sizeClass > y.sizeClass : x.number < y.number;
    });
    layout.labels.resize(input.systems.size());
    Labeller labeller(layout.grid, taken);
    for (const std::size_t index : order) {
        const MapSystem& system = input.systems[index];
        if (!system.name.empty()) {
            layout.labels[index] = labeller.Place(system.name, layout.centres[index], system.sizeClass);
        }
    }
    // Room under the grid for the name of the sector below.
    layout.legendTop = layout.grid.Bottom() + s.legendGap + s.neighbourSize;
    const double legendHeight = LegendHeight(input, layout.grid.width);
    layout.viewBox = {0, 0, layout.grid.Right() + s.margin, layout.legendTop + legendHeight + s.margin};
    return layout;
}

}  // namespace nexmar
