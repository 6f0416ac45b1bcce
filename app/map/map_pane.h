#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "app/map/map_rings.h"
#include "app/map/map_viewport.h"
#include "app/map/shown_map.h"

class QTimer;

namespace nexmar {

class MapImageRenderer;

// The sector map of the run shown, beside the tree: one sector at a time,
// drawn from the very SVG nexmar-cli --map writes, zoomed (the wheel, + and
// -, Fit) and panned (a drag, the arrow keys); Page Up and Page Down turn to
// the other sectors. A click on a system's hex activates it; the system
// selected elsewhere is ringed and brought into view; the systems found are
// ringed too. Each system's tooltip says what the tree's line of it says.
//
// The SVG is rendered once for the scale shown and the room around the
// view, on a thread of its own, and each frame of a pan or a zoom only
// draws that image moved or stretched, with the rings over it: a frame
// costs a copy of pixels however many systems the sector holds. The image
// is rendered sharp again once the zoom or the pan rests.
class MapPane final : public QWidget {
    Q_OBJECT

public:
    explicit MapPane(QWidget* parent = nullptr);
    ~MapPane() override;

    // The map of run, whose systems are records, for audience; records must
    // last until the next ShowRun or Clear. The sector shown stays, where
    // the map still has it. Drawn once the pane is visible.
    void ShowRun(const RunSettings& run, const LoadedRun& records, MapAudience audience);
    // No run: the pane says how to get one.
    void Clear();
    bool HasRun() const { return records_ != nullptr; }
    // The summary of the system at place that its tooltip gives.
    void SetDescription(std::function<QString(std::size_t place)> describe) { describe_ = std::move(describe); }

    // Rings the system at place (its row among the run's records), turning
    // to its sector and bringing it into view; none rings nothing.
    // SystemActivated is not told.
    void SelectSystem(std::optional<std::size_t> place);
    // Rings the systems at places as found; empty: none.
    void HighlightSystems(std::vector<std::size_t> places);
    void ShowSector(int sector);

    void ZoomIn();
    void ZoomOut();
    // The whole sector in view.
    void Fit();

    // The map drawn now (its sector, its SVG, its systems), drawn first if it waits.
    const ShownMap& Map();
    // Where the centre of the system at place lies in the pane; none when
    // the sector shown does not draw it.
    std::optional<QPointF> PointOf(std::size_t place);
    // Pixels of the pane a unit of the map.
    double Scale() const { return view_.Scale(); }
    // Whether the view shows the map sharp: no image waits to be rendered.
    bool Sharp() const;
    // Room for a subsector's names at the scale that fits a sector's width.
    QSize sizeHint() const override;

signals:
    // A click on the system at place; whoever selects it rings it by SelectSystem.
    void SystemActivated(std::size_t place);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Draws the sector wanted, if it waits, and keeps its SVG parsed.
    void DrawIfWaiting();
    void ZoomBy(double factor, QPointF at);
    void PanBy(QPointF by);
    // The view moved by the user: it no longer follows the pane's size.
    void Changed();
    // Asks for the image of the map round the view, at the scale shown.
    void RequestImage();
    void TakeImage(const QImage& image, const QRectF& area, double pixelsPerUnit, int generation);
    // Whether the image shows the whole view, sharp.
    bool ImageServesView() const;
    QSizeF PageSize() const;
    // The system of the map wanted now whose hex holds point: never one of
    // a map drawn before, which may be the referee's while Player View is on.
    std::optional<std::size_t> IndexAt(QPointF point);
    void ShowToolTip(const QPoint& at, const QPoint& global);

    std::optional<RunSettings> run_;
    const LoadedRun* records_ = nullptr;
    MapAudience audience_ = MapAudience::Referee;
    std::vector<int> sectorOfPlace_;
    int sector_ = 1;
    bool waiting_ = false;  // the map drawn is not the one wanted
    ShownMap map_;
    QByteArray svg_;     // map_'s, for the renderer
    int generation_ = 0;  // counts the maps drawn, so that an image of an earlier one is dropped
    MapImageRenderer* renderer_ = nullptr;
    std::function<QString(std::size_t)> describe_;

    MapRings rings_;
    MapViewport view_;
    bool fitted_ = true;  // the scale follows the pane's size until zoomed or panned
    QImage image_;       // of the map drawn now, or none yet
    QRectF imageInMap_;  // what image_ holds, in the map's units
    double imageScale_ = 0;  // image_'s pixels a unit, over the pane's pixel ratio
    QTimer* sharpen_ = nullptr;
    std::optional<QPointF> pressedAt_;
    QPointF draggedFrom_;
    bool dragging_ = false;
};

}  // namespace nexmar
