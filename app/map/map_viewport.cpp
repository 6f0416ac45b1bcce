#include "app/map/map_viewport.h"

#include <algorithm>

namespace nexmar {

namespace {

constexpr double kMostScale = 8;     // a hex number then stands 44 pixels tall
constexpr double kLeastOfFit = 0.5;  // zoomed out to half the scale that fits
constexpr double kKeptInView = 48;   // pixels of the page a pan leaves in view at least

}  // namespace

void MapViewport::Resize(QSizeF page, QSizeF pane)
{
    page_ = page.isEmpty() ? QSizeF(1, 1) : page;
    pane_ = pane;
    KeepInView();
}

void MapViewport::Fit()
{
    scale_ = FitScale();
    origin_ = QPointF((pane_.width() - page_.width() * scale_) / 2, (pane_.height() - page_.height() * scale_) / 2);
}

void MapViewport::ZoomBy(double factor, QPointF at)
{
    const double fit = FitScale();
    const MapPoint kept = ToMap(at);
    scale_ = std::clamp(scale_ * factor, fit * kLeastOfFit, std::max(kMostScale, fit));
    origin_ = at - QPointF(kept.x * scale_, kept.y * scale_);
    KeepInView();
}

void MapViewport::PanBy(QPointF by)
{
    origin_ += by;
    KeepInView();
}

MapPoint MapViewport::ToMap(QPointF point) const
{
    const QPointF inMap = (point - origin_) / scale_;
    return {inMap.x(), inMap.y()};
}

QRectF MapViewport::Shown() const
{
    const MapPoint topLeft = ToMap(QPointF(0, 0));
    return QRectF(QPointF(topLeft.x, topLeft.y), pane_ / scale_);
}

double MapViewport::FitScale() const
{
    return std::max(std::min(pane_.width() / page_.width(), pane_.height() / page_.height()), 1e-3);
}

void MapViewport::KeepInView()
{
    const QSizeF shown = page_ * scale_;
    // The least origin leaves the page's right or bottom edge in view, the
    // most its left or top edge.
    const QPointF least(kKeptInView - shown.width(), kKeptInView - shown.height());
    const QPointF most(std::max(pane_.width() - kKeptInView, least.x()), std::max(pane_.height() - kKeptInView, least.y()));
    origin_ = QPointF(std::clamp(origin_.x(), least.x(), most.x()), std::clamp(origin_.y(), least.y(), most.y()));
}

}  // namespace nexmar
