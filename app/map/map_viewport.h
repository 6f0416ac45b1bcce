#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "map/map_style.h"

namespace nexmar {

// Where a map's page lies in a pane: the scale (pixels of the pane a unit
// of the map) and the point of the pane its top left corner falls on.
// Zoomed from a sector whole in view to 8 pixels a unit (a hex number then
// stands 44 pixels tall), and never panned so far that no corner of the
// page stays in view.
class MapViewport {
public:
    // The page's size, in the map's units, and the pane's, in pixels; the
    // view keeps its scale and origin, kept in view.
    void Resize(QSizeF page, QSizeF pane);
    // The whole page in view, centred.
    void Fit();
    // Multiplies the scale by factor, keeping the map's point under at in place.
    void ZoomBy(double factor, QPointF at);
    void PanBy(QPointF by);

    double Scale() const { return scale_; }
    QPointF ToPane(MapPoint point) const { return origin_ + QPointF(point.x * scale_, point.y * scale_); }
    MapPoint ToMap(QPointF point) const;
    // The part of the map the pane shows, in its units (beyond the page too).
    QRectF Shown() const;
    QRectF Page() const { return QRectF(QPointF(0, 0), page_); }

private:
    double FitScale() const;
    void KeepInView();

    QSizeF page_{1, 1};
    QSizeF pane_{1, 1};
    double scale_ = 1;
    QPointF origin_;
};

}  // namespace nexmar
