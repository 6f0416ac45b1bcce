#include "picture/row_layout.h"

#include "gen/record_text.h"

namespace nexmar::row_layout {

namespace {

double SlotsWidth(const std::vector<BodySlot>& slots)
{
    double width = 0;
    for (const BodySlot& slot : slots) {
        width += slot.Width();
    }
    return width;
}

void PlaceBody(SystemPicture& picture, const BodySlot& slot, double left, double axis, double labelTop)
{
    const double width = slot.Width();
    const double centre = left + width / 2;
    const double cx = centre - slot.GroupWidth() / 2 + slot.HalfWidth();
    const double r = slot.radius;
    if (slot.ringed) {
        const double ring = r * (1 + kStyle.gasGiantRingSpread);
        AddShape(picture, ShapeKind::Ellipse, "ring", {cx - ring, axis - r * 0.35, 2 * ring, r * 0.7});
    }
    if (slot.IsBelt()) {
        const double half = kStyle.beltWidth / 2;
        const double reach = r + kStyle.beltReach;
        AddShape(picture, slot.kind, slot.cssClass, {cx - half, axis - reach, 2 * half, 2 * reach}, slot.tooltip);
        for (const double dy : {-reach / 2, 0.0, reach / 2}) {
            AddShape(picture, ShapeKind::Circle, "rubble", {cx - 1.5, axis + dy - 1.5, 3, 3});
        }
    } else {
        AddShape(picture, slot.kind, slot.cssClass, {cx - r, axis - r, 2 * r, 2 * r}, slot.tooltip);
    }
    if (slot.ringed) {
        // The ring's near half crosses in front of the planet.
        const double ring = r * (1 + kStyle.gasGiantRingSpread);
        AddShape(picture, ShapeKind::Line, "ring", {cx - ring, axis, 2 * ring, 0});
    }
    if (slot.gaiaWorld) {
        const double ring = r + kStyle.gaiaRingSpread;
        AddShape(picture, ShapeKind::Circle, "gaia-world", {cx - ring, axis - ring, 2 * ring, 2 * ring});
    }
    if (slot.cssClass.ends_with(" unknown")) {
        AddLabel(picture, "?", "label", kStyle.labelSize, cx, axis - LineHeight(kStyle.labelSize) / 2,
                 TextAnchor::Middle);
    }
    const double moonsLeft = cx + slot.HalfWidth() + kStyle.gap / 2;
    const int moons = static_cast<int>(slot.moonTooltips.size());
    for (int i = 0; i < moons; ++i) {
        const int column = i / kStyle.moonsPerColumn;
        const int inColumn = std::min(kStyle.moonsPerColumn, moons - column * kStyle.moonsPerColumn);
        const double columnTop = axis - (inColumn * MoonStep() - 2) / 2;
        const double d = 2 * kStyle.moonRadius;
        AddShape(picture, ShapeKind::Circle, "moon",
                 {moonsLeft + column * MoonStep(), columnTop + (i % kStyle.moonsPerColumn) * MoonStep(), d, d},
                 slot.moonTooltips[static_cast<std::size_t>(i)]);
    }
    double top = labelTop;
    for (const SlotLine& line : slot.lines) {
        AddLabel(picture, line.text, "label", kStyle.labelSize, centre, top, TextAnchor::Middle);
        picture.labels.back().fullText = line.fullText;
        top += LabelLine();
    }
}

// A record's name as a class name: "Gas Giant" as "gas-giant".
std::string Lowered(std::string_view text)
{
    std::string lowered;
    for (const char c : text) {
        lowered.push_back(c == ' ' ? '-' : static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
    }
    return lowered;
}

// Where the columns go: the stars' column at the left, then the three zone
// bands, each wide enough for its name and for the widest row's bodies.
struct Columns {
    std::array<double, 3> bandWidths{};
    std::array<double, 3> bandLefts{};
    double bandsRight = 0;
};

Columns ColumnsFor(const std::vector<BodyRow>& rows)
{
    const double pad = kStyle.bandPadding;
    Columns columns;
    double starColumn = 0;
    for (const OrbitZone zone : kOrbitZones) {
        columns.bandWidths[static_cast<std::size_t>(zone)] = TextWidth(OrbitZoneName(zone), kStyle.labelSize) + 2 * pad;
    }
    for (const BodyRow& row : rows) {
        starColumn = std::max(starColumn, SlotsWidth(row.stars));
        for (std::size_t z = 0; z < 3; ++z) {
            columns.bandWidths[z] = std::max(columns.bandWidths[z], SlotsWidth(row.zones[z]) + 2 * pad);
        }
    }
    columns.bandLefts[0] = kStyle.margin + starColumn + (starColumn > 0 ? kStyle.gap : 0);
    for (std::size_t z = 1; z < 3; ++z) {
        columns.bandLefts[z] = columns.bandLefts[z - 1] + columns.bandWidths[z - 1];
    }
    columns.bandsRight = columns.bandLefts[2] + columns.bandWidths[2];
    return columns;
}

struct RowPlace {
    double axis;      // the line through the middle of every body
    double labelTop;  // where the lines of text begin
};

// Each row under the one before it, from the bands' names down; bottom: where
// the last row's text ends.
std::vector<RowPlace> PlaceRows(const std::vector<BodyRow>& rows, double bandTop, double& bottom)
{
    std::vector<RowPlace> places;
    double y = bandTop + kStyle.bandPadding / 2 + LabelLine() + kStyle.gap;
    bottom = y;
    for (const BodyRow& row : rows) {
        double half = 0;
        std::size_t lines = 0;
        row.ForEachSlot([&](const BodySlot& slot) {
            half = std::max(half, slot.HalfHeight());
            lines = std::max(lines, slot.lines.size());
        });
        places.push_back({y + half, y + 2 * half + kStyle.gap / 2});
        bottom = places.back().labelTop + static_cast<double>(lines) * LabelLine();
        y = bottom + kStyle.rowGap;
    }
    return places;
}

void DrawBands(SystemPicture& picture, const Columns& columns, double bandTop, double bandBottom)
{
    for (const OrbitZone zone : kOrbitZones) {
        const std::size_t z = static_cast<std::size_t>(zone);
        AddShape(picture, ShapeKind::Rect, "zone " + Lowered(OrbitZoneName(zone)),
                 {columns.bandLefts[z], bandTop, columns.bandWidths[z], bandBottom - bandTop});
        AddLabel(picture, std::string(OrbitZoneName(zone)), "label", kStyle.labelSize,
                 columns.bandLefts[z] + columns.bandWidths[z] / 2, bandTop + kStyle.bandPadding / 2,
                 TextAnchor::Middle);
    }
}

// The row's orbit line, its stars in their column, and its objects from the
// left of their zone's band.
void DrawRow(SystemPicture& picture, const BodyRow& row, const RowPlace& place, const Columns& columns)
{
    const auto [axis, labelTop] = place;
    AddShape(picture, ShapeKind::Line, "orbit",
             {columns.bandLefts[0], axis, columns.bandsRight - columns.bandLefts[0], 0});
    double left = kStyle.margin;
    for (const BodySlot& star : row.stars) {
        PlaceBody(picture, star, left, axis, labelTop);
        left += star.Width();
    }
    for (std::size_t z = 0; z < 3; ++z) {
        left = columns.bandLefts[z] + kStyle.bandPadding;
        for (const BodySlot& body : row.zones[z]) {
            PlaceBody(picture, body, left, axis, labelTop);
            left += body.Width();
        }
    }
}

}  // namespace

SystemPicture LayOutRows(std::string title, std::string description, const std::vector<BodyRow>& rows)
{
    SystemPicture picture;
    picture.title = title;
    picture.description = std::move(description);
    const double margin = kStyle.margin;
    const Columns columns = ColumnsFor(rows);
    const double bandTop = margin + LineHeight(kStyle.titleSize) + kStyle.gap;
    double bottom = 0;
    const std::vector<RowPlace> places = PlaceRows(rows, bandTop, bottom);
    const double bandBottom = bottom + kStyle.bandPadding / 2;
    const double width = std::max(columns.bandsRight, margin + TextWidth(title, kStyle.titleSize)) + margin;
    picture.viewBox = {0, 0, width, bandBottom + margin};

    AddShape(picture, ShapeKind::Rect, "paper", picture.viewBox);
    AddLabel(picture, std::move(title), "title", kStyle.titleSize, margin, margin);
    DrawBands(picture, columns, bandTop, bandBottom);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        DrawRow(picture, rows[r], places[r], columns);
    }
    return picture;
}

namespace {

ShapeKind ObjectShape(std::string_view typeClass)
{
    if (typeClass == "hostile") {
        return ShapeKind::Diamond;
    }
    return typeClass == "asteroid-belt" ? ShapeKind::RoundedRect : ShapeKind::Circle;
}

}  // namespace

BodySlot ObjectSlot(std::string_view typeName, double radius)
{
    BodySlot slot;
    const std::string typeClass = typeName == "Asteroid" ? "asteroid-belt" : Lowered(typeName);
    slot.kind = ObjectShape(typeClass);
    slot.cssClass = "object " + typeClass;
    slot.radius = radius;
    slot.ringed = typeClass == "gas-giant";
    return slot;
}


}  // namespace nexmar::row_layout
