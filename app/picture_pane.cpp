#include "app/picture_pane.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QPainter>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "model/run_records.h"
#include "app/run_session.h"

namespace nexmar {

namespace {

QRectF Centred(QSizeF size, const QRectF& within)
{
    size.scale(within.size(), Qt::KeepAspectRatio);
    return {within.center() - QPointF(size.width() / 2, size.height() / 2), size};
}

}  // namespace

QImage SvgImage(const QByteArray& svg, double scale)
{
    QSvgRenderer renderer(svg);
    const QSizeF box = renderer.viewBoxF().size() * scale;
    QImage image(static_cast<int>(std::ceil(box.width())), static_cast<int>(std::ceil(box.height())),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), box));
    return image;
}

SystemPictureView::SystemPictureView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pictureView"));
    setAccessibleName(QStringLiteral("Picture of the selected system"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void SystemPictureView::Show(QByteArray svg)
{
    svg_ = std::move(svg);
    renderer_.load(svg_);
    setToolTip(svg_.isEmpty() ? QString() : QStringLiteral("Export Picture... saves it as SVG or PNG"));
    update();
}

QSize SystemPictureView::sizeHint() const
{
    return {320, 240};
}

void SystemPictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (svg_.isEmpty() || !renderer_.isValid()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Select an item of a system to see its picture."));
        return;
    }
    renderer_.render(&painter, Centred(renderer_.viewBoxF().size(), QRectF(rect()).adjusted(4, 4, -4, -4)));
}

PicturePane::PicturePane(QWidget& client, QTreeView& tree, const RunSession& session)
    : QObject(&client), client_(client), tree_(tree), session_(session)
{
    splitter_ = new QSplitter(Qt::Horizontal, &client);
    splitter_->setObjectName(QStringLiteral("pictureSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->hide();
    view_ = new SystemPictureView(splitter_);
    splitter_->addWidget(view_);
    place_ = tree.geometry();
    treeOpeningWidth_ = place_.width();
    connect(tree.selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { FollowTree(false); });
    // The model is reset for another run and when the find field keeps other systems.
    connect(tree.model(), &QAbstractItemModel::modelReset, this, [this] { FollowTree(true); });
}

void PicturePane::Place(const QRect& place)
{
    place_ = place;
    (shown_ ? static_cast<QWidget*>(splitter_) : &tree_)->setGeometry(place);
}

void PicturePane::SetShown(bool shown)
{
    if (shown == shown_) {
        return;
    }
    shown_ = shown;
    const bool focused = tree_.hasFocus();
    if (shown) {
        splitter_->insertWidget(0, &tree_);
        splitter_->setStretchFactor(0, 0);
        splitter_->setStretchFactor(1, 1);
        splitter_->setGeometry(place_);
        const int treeWidth = std::min(treeOpeningWidth_, place_.width() / 2);
        splitter_->setSizes({treeWidth, place_.width() - treeWidth - splitter_->handleWidth()});
        splitter_->show();
        Draw();
    } else {
        // Back in the client area on its own, the tree is what it was before.
        tree_.setParent(&client_);
        tree_.setGeometry(place_);
        splitter_->hide();
    }
    tree_.show();
    if (focused) {
        tree_.setFocus(Qt::OtherFocusReason);
    }
}

int PicturePane::GrowthToShow() const
{
    return std::max(0, 2 * treeOpeningWidth_ + splitter_->handleWidth() - place_.width());
}

void PicturePane::FollowTree(bool anotherRun)
{
    // The result tree's model gives each index the ItemId of its item.
    const QModelIndex current = tree_.currentIndex();
    const std::optional<std::size_t> system =
        current.isValid() && session_.HasRun()
            ? SystemPlaceOf(*session_.Tree(), static_cast<ItemId>(current.internalId()))
            : std::nullopt;
    if (system == selected_ && !anotherRun) {
        return;
    }
    selected_ = system;
    if (shown_) {
        Draw();
    }
    emit SelectedSystemChanged();
}

void PicturePane::Draw()
{
    const std::string svg = selected_ && session_.HasRun() ? session_.SystemSvg(*selected_) : std::string();
    view_->Show(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
}

}  // namespace nexmar
