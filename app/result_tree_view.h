#pragma once

#include <QTreeView>

namespace nexmar {

// The result tree's view: connecting lines, expand buttons and lines at the
// root, no header, no dragging, reached by clicking rather than by Tab.
class ResultTreeView final : public QTreeView {
    Q_OBJECT

public:
    explicit ResultTreeView(QWidget* parent = nullptr);

    // Expands every item of the tree.
    void ExpandEverything();
    // Collapses every visible item; items inside collapsed branches keep
    // their state.
    void CollapseVisible();
    // Whether some open item may lie inside a closed one: only once an item
    // was closed since the tree was shown or last closed whole. While not,
    // closing every visible item closes them all.
    bool MayHideOpenItems() const { return mayHideOpenItems_; }

    void reset() override;

private:
    bool mayHideOpenItems_ = false;
    // The expanded items below parent that some collapsed ancestor hides
    // (hidden: parent itself is hidden or collapsed).
    void GatherHiddenExpanded(const QModelIndex& parent, bool hidden,
                              std::vector<QModelIndex>& hiddenExpanded) const;
};

}  // namespace nexmar
