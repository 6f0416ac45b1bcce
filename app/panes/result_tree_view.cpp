#include "app/panes/result_tree_view.h"

#include <QHeaderView>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleFactory>

#include <memory>

namespace nexmar {

namespace {

// The platform style with the dotted branch lines and boxed expand buttons
// of the Windows style, which most other styles leave out.
class BranchLineStyle final : public QProxyStyle {
public:
    BranchLineStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_IndicatorBranch && lines_ != nullptr) {
            lines_->drawPrimitive(element, option, painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    std::unique_ptr<QStyle> lines_;
};

}  // namespace

ResultTreeView::ResultTreeView(QWidget* parent) : QTreeView(parent)
{
    auto* style = new BranchLineStyle;
    style->setParent(this);
    setStyle(style);
    setHeaderHidden(true);
    // Long lines scroll sideways rather than being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setUniformRowHeights(true);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeView::collapsed, this, [this] { mayHideOpenItems_ = true; });
    // An item opened inside a closed one, as a program may open it.
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        for (QModelIndex above = index.parent(); above.isValid() && !mayHideOpenItems_; above = above.parent()) {
            mayHideOpenItems_ = !isExpanded(above);
        }
    });
}

void ResultTreeView::reset()
{
    QTreeView::reset();
    mayHideOpenItems_ = false;
}

void ResultTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    header()->resizeSections(QHeaderView::ResizeToContents);
}

void ResultTreeView::ExpandEverything()
{
    KeepingTopItem([this] {
        // The view would tell of each item opened, to no one who needs it.
        const QSignalBlocker quiet(this);
        expandAll();
    });
}

void ResultTreeView::CollapseVisible()
{
    // Qt's collapseAll() relays the tree out once, where collapsing item by
    // item relays it out per item; the expanded items inside collapsed
    // branches are then expanded again, which costs no layout while they
    // stay hidden.
    std::vector<QModelIndex> hiddenExpanded;
    if (mayHideOpenItems_) {
        GatherHiddenExpanded(rootIndex(), false, hiddenExpanded);
    }
    KeepingTopItem([&] {
        {
            // The view would tell of each item closed, to no one who needs it.
            const QSignalBlocker quiet(this);
            collapseAll();
        }
        for (const QModelIndex& index : hiddenExpanded) {
            expand(index);
        }
    });
    mayHideOpenItems_ = !hiddenExpanded.empty();
}

void ResultTreeView::KeepingTopItem(const std::function<void()>& change)
{
    const QPersistentModelIndex top = indexAt(QPoint(0, 0));
    change();
    QModelIndex shown = top;
    for (QModelIndex above = shown.parent(); above.isValid(); above = above.parent()) {
        if (!isExpanded(above)) {
            shown = above;
        }
    }
    if (shown.isValid()) {
        scrollTo(shown, QAbstractItemView::PositionAtTop);
    }
}

void ResultTreeView::GatherHiddenExpanded(const QModelIndex& parent, bool hidden,
                                          std::vector<QModelIndex>& hiddenExpanded) const
{
    const int rows = model() != nullptr ? model()->rowCount(parent) : 0;
    for (int row = 0; row < rows; ++row) {
        const QModelIndex child = model()->index(row, 0, parent);
        if (model()->flags(child).testFlag(Qt::ItemNeverHasChildren)) {
            continue;
        }
        const bool expanded = isExpanded(child);
        if (hidden && expanded) {
            hiddenExpanded.push_back(child);
        }
        GatherHiddenExpanded(child, hidden || !expanded, hiddenExpanded);
    }
}

}  // namespace nexmar
