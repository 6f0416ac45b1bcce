#include "picture/picture_legend.h"

#include <algorithm>
#include <span>
#include <string>

#include "picture/picture_style.h"

namespace nexmar {

namespace {

constexpr const PictureStyle& kStyle = kPictureStyle;
constexpr double kSample = 16;  // a sample's square

struct LegendEntry {
    ShapeKind kind;
    std::string_view cssClass;
    std::string_view name;
    int rings = 0;  // drawn around the sample: a Gas Giant's, a Gaia World's or importance's
};

// The legend of each level, in the order it is drawn.
constexpr LegendEntry kLowLegend[] = {{ShapeKind::Circle, "colony", "Colony, as large as its size class"},
                                      {ShapeKind::Circle, "colony", "Minor system", 1},
                                      {ShapeKind::Circle, "colony", "Major system", 2}};

constexpr LegendEntry kMediumLegend[] = {{ShapeKind::Rect, "zone inner", "Inner zone"},
                                         {ShapeKind::Rect, "zone habitable", "Habitable zone"},
                                         {ShapeKind::Rect, "zone outer", "Outer zone"},
                                         {ShapeKind::Circle, "object gas-giant", "Gas Giant", 1},
                                         {ShapeKind::Circle, "object terrestrial", "Terrestrial"},
                                         {ShapeKind::Circle, "object sub-terrestrial", "Sub-Terrestrial"},
                                         {ShapeKind::Diamond, "object hostile", "Hostile"},
                                         {ShapeKind::RoundedRect, "object asteroid-belt", "Asteroid belt"},
                                         {ShapeKind::Circle, "moon", "Moon"}};

constexpr LegendEntry kHighLegend[] = {{ShapeKind::Rect, "zone inner", "Inner zone"},
                                       {ShapeKind::Rect, "zone habitable", "Habitable zone"},
                                       {ShapeKind::Rect, "zone outer", "Outer zone"},
                                       {ShapeKind::Circle, "star yellow", "Star, by colour and size"},
                                       {ShapeKind::Circle, "object gas-giant", "Gas Giant", 1},
                                       {ShapeKind::Circle, "object terrestrial", "Terrestrial"},
                                       {ShapeKind::Circle, "object sub-terrestrial", "Sub-Terrestrial"},
                                       {ShapeKind::Diamond, "object hostile", "Hostile"},
                                       {ShapeKind::RoundedRect, "object asteroid-belt", "Asteroid belt"},
                                       {ShapeKind::Circle, "moon", "Moon"},
                                       {ShapeKind::Circle, "object terrestrial", "Gaia World", 1}};

std::span<const LegendEntry> Entries(DetailLevel level)
{
    switch (level) {
    case DetailLevel::Low:
        return kLowLegend;
    case DetailLevel::Medium:
        return kMediumLegend;
    case DetailLevel::High:
        break;
    }
    return kHighLegend;
}

double EntryWidth(const LegendEntry& entry)
{
    return 2 * kStyle.importanceRingSpread + kSample + kStyle.gap / 2 + TextWidth(entry.name, kStyle.labelSize) +
           2 * kStyle.gap;
}

double RowHeight()
{
    return std::max(kSample + 2 * kStyle.importanceRingSpread, LineHeight(kStyle.labelSize)) + kStyle.gap / 2;
}

bool IsBelt(const LegendEntry& entry)
{
    return entry.cssClass == "object asteroid-belt";
}

// The shape of a sample: an asteroid belt's an upright band half as wide as
// it is tall, as the pictures draw it; any other fills its square.
PictureBox SampleShape(const LegendEntry& entry, const PictureBox& sample)
{
    return IsBelt(entry) ? PictureBox{sample.x + kSample / 4, sample.y, kSample / 2, kSample} : sample;
}

// What a sample carries beside its shape: a Gas Giant's ring across it, a
// Gaia World's or importance's around it, a belt's rubble inside it.
void AddRings(SystemPicture& picture, const LegendEntry& entry, const PictureBox& sample)
{
    const double cx = sample.x + kSample / 2;
    const double cy = sample.y + kSample / 2;
    if (IsBelt(entry)) {
        for (const double dy : {-kSample / 4, 0.0, kSample / 4}) {
            AddShape(picture, ShapeKind::Circle, "legend rubble", {cx - 1.5, cy + dy - 1.5, 3, 3});
        }
        return;
    }
    if (entry.cssClass == "object gas-giant") {
        AddShape(picture, ShapeKind::Line, "legend ring", {sample.x - 2, cy, kSample + 4, 0});
        return;
    }
    const bool gaia = entry.cssClass == "object terrestrial";
    for (int ring = 1; ring <= entry.rings; ++ring) {
        const double r = kSample / 2 + ring * (gaia ? kStyle.gaiaRingSpread / 2 : kStyle.importanceRingSpread / 2);
        AddShape(picture, ShapeKind::Circle, gaia ? "legend gaia-world" : "legend importance",
                 {cx - r, cy - r, 2 * r, 2 * r});
    }
}

double WidestEntry(DetailLevel level)
{
    double widest = 0;
    for (const LegendEntry& entry : Entries(level)) {
        widest = std::max(widest, EntryWidth(entry));
    }
    return widest;
}

}  // namespace

double LegendHeight(DetailLevel level, double width)
{
    int rows = 1;
    double x = 0;
    for (const LegendEntry& entry : Entries(level)) {
        if (x > 0 && x + EntryWidth(entry) > width) {
            ++rows;
            x = 0;
        }
        x += EntryWidth(entry);
    }
    return rows * RowHeight();
}

void AddLegend(SystemPicture& picture, DetailLevel level, double left, double top, double width)
{
    double x = left;
    double y = top;
    for (const LegendEntry& entry : Entries(level)) {
        if (x > left && x - left + EntryWidth(entry) > width) {
            x = left;
            y += RowHeight();
        }
        const double middle = y + RowHeight() / 2;
        const PictureBox sample{x + kStyle.importanceRingSpread, middle - kSample / 2, kSample, kSample};
        AddShape(picture, entry.kind, "legend " + std::string(entry.cssClass), SampleShape(entry, sample));
        AddRings(picture, entry, sample);
        AddLabel(picture, std::string(entry.name), "label", kStyle.labelSize,
                 sample.Right() + kStyle.importanceRingSpread + kStyle.gap / 2,
                 middle - LineHeight(kStyle.labelSize) / 2);
        x += EntryWidth(entry);
    }
}

void AddLegendBelow(SystemPicture& picture, DetailLevel level)
{
    PictureBox& view = picture.viewBox;
    const double width = std::max(view.width - 2 * kStyle.margin, WidestEntry(level));
    // What the picture holds ends a margin above its bottom.
    const double top = view.Bottom() - kStyle.margin + kStyle.rowGap;
    view.width = width + 2 * kStyle.margin;
    view.height = top + LegendHeight(level, width) + kStyle.margin - view.y;
    for (PictureShape& shape : picture.shapes) {
        if (shape.cssClass == "paper") {
            shape.box = view;
        }
    }
    AddLegend(picture, level, view.x + kStyle.margin, top, width);
    picture.description += " Under it, a legend of its shapes and zone colours.";
}

}  // namespace nexmar
