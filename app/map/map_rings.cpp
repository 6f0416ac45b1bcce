#include "app/map/map_rings.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include "app/map/map_viewport.h"
#include "app/map/shown_map.h"
#include "map/map_style.h"

namespace nexmar {

namespace {

// The rings over the map, in the handout's palette: the selected system in
// blue, the systems found in orange, dashed, so they differ without colour.
const QColor kSelectedRing(0x00, 0x72, 0xB2);
const QColor kFoundRing(0xE6, 0x9F, 0x00);
const QColor kPaper(Qt::white);

}  // namespace

void MapRings::Clear()
{
    selected_.reset();
    found_.clear();
}

void MapRings::Draw(QPainter& painter, const ShownMap& map, const MapViewport& view) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const auto ring = [&](std::size_t place, const QColor& colour, Qt::PenStyle style, double beyond) {
        const std::optional<std::size_t> index = map.IndexOfPlace(place);
        if (!index) {
            return;
        }
        const MapSystem& system = map.input.systems[*index];
        const double radius =
            kMapStyle.glyphRadius[static_cast<std::size_t>(system.sizeClass)] * view.Scale() + beyond;
        const QPointF centre = view.ToPane(map.layout.centres[*index]);
        // A halo of paper keeps the ring apart from the routes and the grid under it.
        painter.setPen(QPen(kPaper, 5));
        painter.drawEllipse(centre, radius, radius);
        painter.setPen(QPen(colour, 3, style));
        painter.drawEllipse(centre, radius, radius);
    };
    for (const std::size_t place : found_) {
        ring(place, kFoundRing, Qt::DashLine, 7);
    }
    if (selected_) {
        ring(*selected_, kSelectedRing, Qt::SolidLine, 3.5);
    }
}

}  // namespace nexmar
