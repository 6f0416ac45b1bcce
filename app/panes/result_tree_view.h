#pragma once

#include <QTreeView>

#include <functional>
#include <vector>

namespace nexmar {

// The result tree's view: connecting lines, expand buttons and lines at the
// root, no header, no dragging, reached by clicking rather than by Tab.
class ResultTreeView final : public QTreeView {
    Q_OBJECT

public:
    explicit ResultTreeView(QWidget* parent = nullptr);

    // Both keep the current item and the selection, and the item at the top
    // of the view stays there, or its nearest ancestor still shown.
    // Expands every item of the tree.
    void ExpandEverything();
    // Collapses every visible item; items inside collapsed branches keep
    // their state.
    void CollapseVisible();

    void reset() override;
    // A name given longer than its column fits it again, never cut short.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

private:
    // Whether some open item may lie inside a closed one: only once an item
    // was closed, or opened inside a closed one, since the tree was shown or
    // last closed whole. While not, closing every visible item closes them all.
    bool mayHideOpenItems_ = false;
    // The expanded items below parent that some collapsed ancestor hides
    // (hidden: parent itself is hidden or collapsed).
    void GatherHiddenExpanded(const QModelIndex& parent, bool hidden,
                              std::vector<QModelIndex>& hiddenExpanded) const;
    // Opens or closes items through change, the item at the top of the view
    // staying in its place.
    void KeepingTopItem(const std::function<void()>& change);
};

}  // namespace nexmar
