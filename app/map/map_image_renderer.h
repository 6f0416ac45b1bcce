#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QThreadPool>

#include <optional>

namespace nexmar {

// What part of a map to render, and how large.
struct MapImageRequest {
    QByteArray svg;
    int generation = 0;     // of the map the bytes draw, as its pane counts them
    QRectF area;            // of the map, in its units
    double pixelsPerUnit = 1;
};

// Renders part of a map's SVG into an image on a thread of its own, one
// request at a time, so that the window never waits on it: a sector's
// 1,280 hex numbers take QtSvg a tenth of a second and more. A request made
// while one renders waits, replaced by any later one.
class MapImageRenderer final : public QObject {
    Q_OBJECT

public:
    explicit MapImageRenderer(QObject* parent = nullptr);
    // Waits for the request rendering, whose image no one hears of.
    ~MapImageRenderer() override;

    void Request(MapImageRequest request);
    // Whether a request is being rendered or waits.
    bool Busy() const { return rendering_ || waiting_.has_value(); }
    // Renders request on the calling thread.
    static QImage Render(const MapImageRequest& request);

signals:
    // area holds the image of the request of that generation, at pixelsPerUnit.
    void Rendered(QImage image, QRectF area, double pixelsPerUnit, int generation);

private:
    void Start(MapImageRequest request);
    void Done(QImage image, const MapImageRequest& request);

    QThreadPool pool_;
    bool rendering_ = false;
    std::optional<MapImageRequest> waiting_;
};

}  // namespace nexmar
