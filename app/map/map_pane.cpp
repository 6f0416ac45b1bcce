#include "app/map/map_pane.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/map/map_image_renderer.h"
#include "app/map/map_tool_tip.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kPanStep = 0.125;       // of the view, an arrow key
constexpr int kSharpenAfterMs = 90;      // a zoom or pan at rest that long renders sharp again
// The image rendered round the view reaches half a view beyond each edge,
// as long as it stays under this many pixels.
constexpr double kMostImagePixels = 8e6;
// The room the pane asks for beside the tree, in pixels.
constexpr int kHintWidth = 560;
constexpr int kHintHeight = 480;
// What stays in view round a system selected elsewhere, of the view's size.
constexpr double kComfortableInset = 0.1;

// The map's page, under the image until it comes.
const QColor kPaper(Qt::white);

}  // namespace

MapPane::MapPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mapPane"));
    // Reached by a click or by Show Map; Tab keeps to the controls.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 160);
    renderer_ = new MapImageRenderer(this);
    connect(renderer_, &MapImageRenderer::Rendered, this, &MapPane::TakeImage);
    sharpen_ = new QTimer(this);
    sharpen_->setSingleShot(true);
    sharpen_->setInterval(kSharpenAfterMs);
    connect(sharpen_, &QTimer::timeout, this, &MapPane::RequestImage);
}

MapPane::~MapPane() = default;

void MapPane::ShowRun(const RunSettings& run, const LoadedRun& records, MapAudience audience)
{
    run_ = run;
    records_ = &records;
    audience_ = audience;
    sectorOfPlace_ = SectorsOfPlaces(run, records);
    if (audience == MapAudience::Players) {
        // The sector of a system the players may not see is none of theirs to turn to.
        for (std::size_t place = 0; place < sectorOfPlace_.size(); ++place) {
            if (!PlayerSystemOf(records.edits, records.numbers[place])) {
                sectorOfPlace_[place] = 0;
            }
        }
    }
    waiting_ = true;
    update();
}

void MapPane::Clear()
{
    run_.reset();
    records_ = nullptr;
    sectorOfPlace_.clear();
    map_ = ShownMap{};
    svg_.clear();
    ++generation_;
    image_ = QImage();
    rings_.Clear();
    waiting_ = false;
    update();
}

void MapPane::SelectSystem(std::optional<std::size_t> place)
{
    rings_.Select(place);
    if (place && *place < sectorOfPlace_.size() && sectorOfPlace_[*place] > 0 &&
        sectorOfPlace_[*place] != sector_) {
        ShowSector(sectorOfPlace_[*place]);
    }
    if (place && isVisible()) {
        if (const std::optional<QPointF> at = PointOf(*place)) {
            const QRectF comfortable = QRectF(rect()).adjusted(width() * kComfortableInset, height() * kComfortableInset,
                                                               -width() * kComfortableInset,
                                                               -height() * kComfortableInset);
            if (!comfortable.contains(*at)) {
                PanBy(QRectF(rect()).center() - *at);
            }
        }
    }
    update();
}

void MapPane::HighlightSystems(std::vector<std::size_t> places)
{
    rings_.Find(std::move(places));
    update();
}

void MapPane::ShowSector(int sector)
{
    if (sector == sector_ && !waiting_) {
        return;
    }
    sector_ = sector;
    waiting_ = true;
    fitted_ = true;
    update();
}

void MapPane::ZoomIn()
{
    ZoomBy(kZoomStep, QRectF(rect()).center());
}

void MapPane::ZoomOut()
{
    ZoomBy(1 / kZoomStep, QRectF(rect()).center());
}

void MapPane::Fit()
{
    DrawIfWaiting();
    fitted_ = true;
    view_.Resize(PageSize(), size());
    view_.Fit();
    sharpen_->start();
    update();
}

const ShownMap& MapPane::Map()
{
    DrawIfWaiting();
    return map_;
}

std::optional<QPointF> MapPane::PointOf(std::size_t place)
{
    DrawIfWaiting();
    const std::optional<std::size_t> index = map_.IndexOfPlace(place);
    if (!index) {
        return std::nullopt;
    }
    return view_.ToPane(map_.layout.centres[*index]);
}

void MapPane::DrawIfWaiting()
{
    if (!waiting_ || records_ == nullptr) {
        return;
    }
    waiting_ = false;
    map_ = DrawShownMap(*run_, *records_, audience_, sector_);
    sector_ = map_.sector;
    svg_ = QByteArray(map_.svg.data(), static_cast<qsizetype>(map_.svg.size()));
    // The image of the map before is no longer shown, even for a moment: it
    // may be the referee's, and Player View on.
    ++generation_;
    image_ = QImage();
    view_.Resize(PageSize(), size());
    if (fitted_) {
        Fit();
    }
}

void MapPane::ZoomBy(double factor, QPointF at)
{
    DrawIfWaiting();
    view_.ZoomBy(factor, at);
    Changed();
}

void MapPane::PanBy(QPointF by)
{
    view_.PanBy(by);
    Changed();
}

void MapPane::Changed()
{
    fitted_ = false;
    sharpen_->start();
    update();
}

QSizeF MapPane::PageSize() const
{
    return QSizeF(map_.layout.viewBox.width, map_.layout.viewBox.height);
}

QSize MapPane::sizeHint() const
{
    return QSize(kHintWidth, kHintHeight);
}

bool MapPane::Sharp() const
{
    return !waiting_ && ImageServesView() && !sharpen_->isActive() && !renderer_->Busy();
}

bool MapPane::ImageServesView() const
{
    // Within a hundredth of a unit: the image's edges fall on whole pixels.
    const QRectF page = view_.Page();
    return !image_.isNull() && std::abs(imageScale_ - view_.Scale()) <= view_.Scale() * 1e-9 &&
           imageInMap_.adjusted(-0.01, -0.01, 0.01, 0.01).contains(view_.Shown() & page);
}

void MapPane::RequestImage()
{
    const QRectF page = view_.Page();
    if (svg_.isEmpty() || ImageServesView()) {
        return;
    }
    const QRectF view = view_.Shown();
    const double pixelsPerUnit = view_.Scale() * devicePixelRatioF();
    QRectF wanted = view.adjusted(-view.width() / 2, -view.height() / 2, view.width() / 2, view.height() / 2) & page;
    if (wanted.width() * wanted.height() * pixelsPerUnit * pixelsPerUnit > kMostImagePixels) {
        wanted = view & page;
    }
    if (!wanted.isEmpty()) {
        renderer_->Request({svg_, generation_, wanted, pixelsPerUnit});
    }
}

void MapPane::TakeImage(const QImage& image, const QRectF& area, double pixelsPerUnit, int generation)
{
    if (generation != generation_) {
        update();  // which asks for the map drawn since
        return;
    }
    image_ = image;
    imageInMap_ = QRectF(area.topLeft(), QSizeF(image.width(), image.height()) / pixelsPerUnit);
    imageScale_ = pixelsPerUnit / devicePixelRatioF();
    update();
}

std::optional<std::size_t> MapPane::IndexAt(QPointF point)
{
    DrawIfWaiting();
    return map_.IndexAt(view_.ToMap(point));
}

void MapPane::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!HasRun()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Generate or open a run to see its map."));
        return;
    }
    DrawIfWaiting();
    // Without an image yet, one is asked for at once; one that leaves part
    // of the view out, or at another scale, is stretched until the view rests.
    if (image_.isNull() && !sharpen_->isActive() && !renderer_->Busy()) {
        RequestImage();
    } else if (!ImageServesView() && !sharpen_->isActive()) {
        sharpen_->start();
    }
    const QRectF page(view_.ToPane({0, 0}), PageSize() * view_.Scale());
    painter.fillRect(page, kPaper);
    if (!image_.isNull()) {
        const QPointF topLeft = view_.ToPane({imageInMap_.x(), imageInMap_.y()});
        painter.setRenderHint(QPainter::SmoothPixmapTransform, imageScale_ != view_.Scale());
        painter.drawImage(QRectF(topLeft, imageInMap_.size() * view_.Scale()), image_);
    }
    rings_.Draw(painter, map_, view_);
}

void MapPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (fitted_) {
        Fit();
    } else {
        view_.Resize(PageSize(), size());
        sharpen_->start();
    }
}

void MapPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (fitted_) {
        Fit();
    }
}

void MapPane::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0 && HasRun()) {
        ZoomBy(std::pow(kZoomStep, steps), event->position());
    }
    event->accept();
}

void MapPane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressedAt_ = event->position();
        draggedFrom_ = event->position();
        dragging_ = false;
    }
    QWidget::mousePressEvent(event);
}

void MapPane::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    if (!dragging_ && (event->position() - *pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (dragging_) {
        PanBy(event->position() - draggedFrom_);
        draggedFrom_ = event->position();
    }
}

void MapPane::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedAt_) {
        return;
    }
    pressedAt_.reset();
    if (dragging_) {
        dragging_ = false;
        unsetCursor();
        return;
    }
    if (const std::optional<std::size_t> index = IndexAt(event->position())) {
        emit SystemActivated(map_.places[*index]);
    }
}

void MapPane::keyPressEvent(QKeyEvent* event)
{
    const double across = width() * kPanStep;
    const double down = height() * kPanStep;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIn();
        break;
    case Qt::Key_Minus:
        ZoomOut();
        break;
    case Qt::Key_0:
    case Qt::Key_Home:
        Fit();
        break;
    case Qt::Key_Left:
        PanBy({across, 0});
        break;
    case Qt::Key_Right:
        PanBy({-across, 0});
        break;
    case Qt::Key_Up:
        PanBy({0, down});
        break;
    case Qt::Key_Down:
        PanBy({0, -down});
        break;
    case Qt::Key_PageUp:
        ShowSector(std::max(1, sector_ - 1));
        break;
    case Qt::Key_PageDown:
        ShowSector(std::min(map_.sectors, sector_ + 1));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool MapPane::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowToolTip(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void MapPane::ShowToolTip(const QPoint& at, const QPoint& global)
{
    const std::optional<std::size_t> index = HasRun() ? IndexAt(at) : std::nullopt;
    if (!index) {
        QToolTip::hideText();
        return;
    }
    const QString line = describe_ ? describe_(map_.places[*index]) : QString();
    QToolTip::showText(global, MapToolTip(map_.input.systems[*index], line), this);
}

}  // namespace nexmar
