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

private:
    // The expanded items below parent that some collapsed ancestor hides
    // (hidden: parent itself is hidden or collapsed).
    void GatherHiddenExpanded(const QModelIndex& parent, bool hidden,
                              std::vector<QModelIndex>& hiddenExpanded) const;
};

}  // namespace nexmar
