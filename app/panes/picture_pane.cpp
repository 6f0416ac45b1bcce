#include "app/panes/picture_pane.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "model/run_records.h"
#include "app/document/run_session.h"

namespace nexmar {

namespace {

// Around the picture, in pixels.
constexpr int kPictureInset = 4;
// The least scale that sets the pictures' labels of 11 units at 8 pixels.
constexpr double kLegibleScale = 8.0 / 11.0;
constexpr double kZoomStep = 1.25;
constexpr double kLeastZoom = 0.2;
constexpr double kMostZoom = 8;

// Ctrl+plus (with or without Shift), Ctrl+minus and Ctrl+0 on view, while shown.
void AddZoomKeys(QWidget& owner, SystemPictureView& view)
{
    const struct {
        const char* keys;
        void (SystemPictureView::*zoom)();
    } keys[] = {{"Ctrl++", &SystemPictureView::ZoomIn},
                {"Ctrl+=", &SystemPictureView::ZoomIn},
                {"Ctrl+-", &SystemPictureView::ZoomOut},
                {"Ctrl+0", &SystemPictureView::ZoomToFit}};
    for (const auto& [text, zoom] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(text)), &owner);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &view, [&view, zoom = zoom] { (view.*zoom)(); });
    }
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
    setToolTip(svg_.isEmpty() ? QString()
                              : QStringLiteral("Ctrl+plus and Ctrl+minus zoom, Ctrl+0 fits; Export Picture... saves "
                                               "it as SVG, PNG or PDF"));
    FollowScale();
}

double SystemPictureView::Scale() const
{
    if (zoom_ > 0) {
        return zoom_;
    }
    const QSizeF box = renderer_.viewBoxF().size();
    const QWidget* area = parentWidget() != nullptr ? parentWidget() : this;
    if (box.isEmpty()) {
        return 1;
    }
    const QSizeF room = QSizeF(area->size()) - QSizeF(2 * kPictureInset, 2 * kPictureInset);
    return std::max(kLegibleScale, std::min(room.width() / box.width(), room.height() / box.height()));
}

void SystemPictureView::ZoomIn()
{
    zoom_ = std::min(Scale() * kZoomStep, kMostZoom);
    FollowScale();
}

void SystemPictureView::ZoomOut()
{
    zoom_ = std::max(Scale() / kZoomStep, kLeastZoom);
    FollowScale();
}

void SystemPictureView::ZoomToFit()
{
    zoom_ = 0;
    FollowScale();
}

void SystemPictureView::FollowScale()
{
    const QSize needed = svg_.isEmpty() || !renderer_.isValid()
                             ? QSize(0, 0)
                             : (renderer_.viewBoxF().size() * Scale()).toSize() +
                                   QSize(2 * kPictureInset, 2 * kPictureInset);
    if (minimumSize() != needed) {
        setMinimumSize(needed);
    }
    update();
}

void SystemPictureView::resizeEvent(QResizeEvent*)
{
    // Unzoomed, the scale follows the area's size.
    FollowScale();
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
    const QSizeF size = renderer_.viewBoxF().size() * Scale();
    const QPointF centre = QRectF(rect()).center();
    renderer_.render(&painter, QRectF(QPointF(std::max<double>(kPictureInset, centre.x() - size.width() / 2),
                                              std::max<double>(kPictureInset, centre.y() - size.height() / 2)),
                                      size));
}

PicturePane::PicturePane(QWidget& client, QTreeView& tree, const RunSession& session)
    : QObject(&client), client_(client), tree_(tree), session_(session)
{
    splitter_ = new QSplitter(Qt::Horizontal, &client);
    splitter_->setObjectName(QStringLiteral("pictureSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->hide();
    // The system's name and hex above its picture: the dialog's own label,
    // as the picture is the very file nexmar-cli writes, which names no hex.
    box_ = new QWidget(splitter_);
    box_->setObjectName(QStringLiteral("pictureBox"));
    title_ = new QLabel(box_);
    title_->setObjectName(QStringLiteral("pictureTitle"));
    title_->setTextFormat(Qt::PlainText);
    title_->setContentsMargins(kPictureInset, kPictureInset, kPictureInset, 0);
    // A long name is cut short rather than widening the pane; its tip shows it whole.
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* scroll = new QScrollArea(box_);
    scroll->setObjectName(QStringLiteral("pictureScroll"));
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);
    // Scrolled by its keys once clicked; Tab keeps to the controls, and the
    // zoom keys work from anywhere in the window.
    scroll->setFocusPolicy(Qt::ClickFocus);
    view_ = new SystemPictureView;
    scroll->setWidget(view_);
    auto* layout = new QVBoxLayout(box_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kPictureInset);
    layout->addWidget(title_);
    layout->addWidget(scroll, 1);
    box_->hide();
    splitter_->addWidget(box_);
    AddZoomKeys(*splitter_, *view_);
    place_ = tree.geometry();
    treeOpeningWidth_ = place_.width();
    connect(tree.selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { FollowTree(false); });
    // The model is reset for another run and when the find field keeps other systems.
    connect(tree.model(), &QAbstractItemModel::modelReset, this, [this] { FollowTree(true); });
}

void PicturePane::Place(const QRect& place)
{
    place_ = place;
    (AnyPaneShown() ? static_cast<QWidget*>(splitter_) : &tree_)->setGeometry(place);
}

void PicturePane::SetShown(bool shown)
{
    ShowPane(*box_, shown);
    if (shown) {
        Draw();
    }
}

bool PicturePane::IsShown() const
{
    return IsPaneShown(*box_);
}

int PicturePane::GrowthToShow() const
{
    return GrowthToShow(*box_);
}

void PicturePane::AddPane(QWidget& pane)
{
    pane.hide();
    splitter_->addWidget(&pane);
    splitter_->setStretchFactor(splitter_->indexOf(&pane), 0);
}

bool PicturePane::AnyPaneShown() const
{
    for (int index = 0; index < splitter_->count(); ++index) {
        const QWidget* pane = splitter_->widget(index);
        if (pane != &tree_ && IsPaneShown(*pane)) {
            return true;
        }
    }
    return false;
}

void PicturePane::ShowPane(QWidget& pane, bool shown)
{
    if (IsPaneShown(pane) == shown) {
        return;
    }
    const bool focused = tree_.hasFocus();
    const bool before = AnyPaneShown();
    pane.setVisible(shown);
    if (AnyPaneShown() && !before) {
        splitter_->insertWidget(0, &tree_);
        splitter_->setGeometry(place_);
        splitter_->show();
    } else if (!AnyPaneShown() && before) {
        // Back in the client area on its own, the tree is what it was before.
        tree_.setParent(&client_);
        tree_.setGeometry(place_);
        splitter_->hide();
    }
    if (AnyPaneShown()) {
        Arrange();
    }
    tree_.show();
    if (focused) {
        tree_.setFocus(Qt::OtherFocusReason);
    }
}

int PicturePane::WantedWidth(const QWidget& pane) const
{
    return &pane == &tree_ || &pane == box_ ? treeOpeningWidth_ : pane.sizeHint().width();
}

void PicturePane::Arrange()
{
    const int width = place_.width();
    const bool picture = IsShown();
    // The other panes first, each the width it asks for; where together
    // they ask for more than three quarters of the place (half of it beside
    // the picture), each gives up the same share of its width, and the tree
    // and the picture keep the rest.
    const auto isOther = [this](const QWidget* pane) {
        return pane != &tree_ && pane != box_ && IsPaneShown(*pane);
    };
    int asked = 0;
    for (int index = 0; index < splitter_->count(); ++index) {
        const QWidget* pane = splitter_->widget(index);
        asked += isOther(pane) ? WantedWidth(*pane) : 0;
    }
    const int most = picture ? width / 2 : width * 3 / 4;
    const double share = asked > most ? double(most) / asked : 1.0;
    int others = 0;
    QList<int> sizes;
    for (int index = 0; index < splitter_->count(); ++index) {
        const QWidget* pane = splitter_->widget(index);
        sizes.append(isOther(pane) ? static_cast<int>(WantedWidth(*pane) * share) : 0);
        others += sizes.back() + (isOther(pane) ? splitter_->handleWidth() : 0);
    }
    const int rest = std::max(width - others, 0);
    const int tree = picture ? std::min(treeOpeningWidth_, rest / 2) : rest;
    sizes[splitter_->indexOf(&tree_)] = tree;
    sizes[splitter_->indexOf(box_)] = picture ? std::max(rest - tree - splitter_->handleWidth(), 0) : 0;
    // The picture, or else the tree, takes what the window gains.
    splitter_->setStretchFactor(splitter_->indexOf(&tree_), picture ? 0 : 1);
    splitter_->setStretchFactor(splitter_->indexOf(box_), picture ? 1 : 0);
    splitter_->setSizes(sizes);
}

int PicturePane::GrowthToShow(const QWidget& pane) const
{
    int wanted = WantedWidth(tree_);
    for (int index = 0; index < splitter_->count(); ++index) {
        const QWidget* shown = splitter_->widget(index);
        if (shown != &tree_ && (shown == &pane || IsPaneShown(*shown))) {
            wanted += WantedWidth(*shown) + splitter_->handleWidth();
        }
    }
    return std::max(0, wanted - place_.width());
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
    Redraw();
    emit SelectedSystemChanged();
}

void PicturePane::Draw()
{
    const std::string svg =
        selected_ && session_.HasRun() ? session_.SystemSvg(*selected_, legend_, players_) : std::string();
    view_->Show(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    title_->setText(svg.empty() ? QString() : session_.SystemHeading(*selected_, players_));
    title_->setToolTip(title_->text());
}

}  // namespace nexmar
