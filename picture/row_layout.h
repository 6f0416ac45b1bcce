#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "picture/picture_style.h"
#include "picture/slot_lines.h"
#include "picture/svg_picture.h"

// The rows of a Medium or High system's picture: bodies in slots, laid out
// over the three zone bands under the picture's title.
namespace nexmar::row_layout {

inline constexpr const PictureStyle& kStyle = kPictureStyle;

inline double LabelLine()
{
    return LineHeight(kStyle.labelSize);
}

inline double MoonStep()
{
    return 2 * kStyle.moonRadius + 2;
}

// One body on a row: its shape, its moons beside it and its lines of text
// under it, all inside the slot's width.
struct BodySlot {
    ShapeKind kind = ShapeKind::Circle;
    std::string cssClass;
    double radius = 0;
    bool ringed = false;     // a gas giant's ring
    bool gaiaWorld = false;  // a dashed ring around the body
    std::string tooltip;
    std::vector<std::string> moonTooltips;
    std::vector<SlotLine> lines;

    bool IsBelt() const { return kind == ShapeKind::RoundedRect; }
    double HalfWidth() const
    {
        double half = IsBelt() ? kStyle.beltWidth / 2 : radius;
        if (ringed) {
            half = std::max(half, radius * (1 + kStyle.gasGiantRingSpread));
        }
        return gaiaWorld ? std::max(half, radius + kStyle.gaiaRingSpread) : half;
    }
    int MoonColumns() const
    {
        const int moons = static_cast<int>(moonTooltips.size());
        return (moons + kStyle.moonsPerColumn - 1) / kStyle.moonsPerColumn;
    }
    double MoonsWidth() const
    {
        return moonTooltips.empty() ? 0 : kStyle.gap / 2 + MoonColumns() * MoonStep() - 2;
    }
    double HalfHeight() const
    {
        const int moonRows = std::min(static_cast<int>(moonTooltips.size()), kStyle.moonsPerColumn);
        const double moons = (moonRows * MoonStep() - 2) / 2;
        const double body = IsBelt() ? radius + kStyle.beltReach : radius;
        return std::max({body + (gaiaWorld ? kStyle.gaiaRingSpread : 0), moons, 0.0});
    }
    double GroupWidth() const { return 2 * HalfWidth() + MoonsWidth(); }
    double Width() const
    {
        double widest = GroupWidth();
        for (const SlotLine& line : lines) {
            widest = std::max(widest, TextWidth(line.text, kStyle.labelSize));
        }
        return widest + kStyle.gap;
    }
};

// A row of bodies: a component's stars, then its objects zone by zone.
struct BodyRow {
    std::vector<BodySlot> stars;
    std::array<std::vector<BodySlot>, 3> zones;

    template <class Visit>
    void ForEachSlot(Visit&& visit) const
    {
        for (const BodySlot& star : stars) {
            visit(star);
        }
        for (const std::vector<BodySlot>& zone : zones) {
            for (const BodySlot& body : zone) {
                visit(body);
            }
        }
    }
};

// Lays out the title, the three zone bands with their names, and the rows
// one under another: each row's stars in a column of their own at the left,
// its objects from the left of their zone's band.
SystemPicture LayOutRows(std::string title, std::string description, const std::vector<BodyRow>& rows);

// The slot of an object by its type's name, sized by radius. Both levels
// name their types alike but for the belt: "Asteroid" at High.
BodySlot ObjectSlot(std::string_view typeName, double radius);

}  // namespace nexmar::row_layout
