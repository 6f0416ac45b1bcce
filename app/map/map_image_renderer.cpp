#include "app/map/map_image_renderer.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <utility>

namespace nexmar {

MapImageRenderer::MapImageRenderer(QObject* parent) : QObject(parent)
{
    pool_.setMaxThreadCount(1);
}

MapImageRenderer::~MapImageRenderer()
{
    waiting_.reset();
    pool_.waitForDone();
}

void MapImageRenderer::Request(MapImageRequest request)
{
    if (rendering_) {
        waiting_ = std::move(request);
        return;
    }
    Start(std::move(request));
}

void MapImageRenderer::Start(MapImageRequest request)
{
    rendering_ = true;
    pool_.start([this, request = std::move(request)] {
        QImage image = Render(request);
        // Told on the window's thread; dropped there if this is gone by then.
        QMetaObject::invokeMethod(
            this, [this, image = std::move(image), request] { Done(image, request); }, Qt::QueuedConnection);
    });
}

void MapImageRenderer::Done(QImage image, const MapImageRequest& request)
{
    rendering_ = false;
    emit Rendered(std::move(image), request.area, request.pixelsPerUnit, request.generation);
    if (waiting_) {
        MapImageRequest next = std::move(*waiting_);
        waiting_.reset();
        Start(std::move(next));
    }
}

QImage MapImageRenderer::Render(const MapImageRequest& request)
{
    // A renderer of its own: QtSvg's is no object to share between threads.
    QSvgRenderer renderer(request.svg);
    const QSizeF page = renderer.viewBoxF().size();
    const double scale = request.pixelsPerUnit;
    QImage image(static_cast<int>(std::ceil(request.area.width() * scale)),
                 static_cast<int>(std::ceil(request.area.height() * scale)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(-request.area.x() * scale, -request.area.y() * scale, page.width() * scale,
                                     page.height() * scale));
    return image;
}

}  // namespace nexmar
