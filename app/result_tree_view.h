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
    void GatherExpanded(const QModelIndex& parent, std::vector<QModelIndex>& expanded) const;
};

}  // namespace nexmar
