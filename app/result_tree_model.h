#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QList>

#include <functional>

#include "core/result_tree.h"

namespace nexmar {

// A read-only view of the engine's ResultTree for QTreeView. An index's
// internal id is the ItemId, and parent and row come from the item itself,
// so every lookup takes constant time. The tree changes only inside
// Rebuild, which tells the views once instead of item by item.
class ResultTreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    // images: the TreeImage icons, in index order.
    ResultTreeModel(const ResultTree& tree, QList<QIcon> images, QObject* parent = nullptr);

    void Rebuild(const std::function<void()>& change);
    // The tooltip of the top-level item, which says how its run can be repeated.
    void SetRootToolTip(const QString& text) { rootToolTip_ = text; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static ItemId IdOf(const QModelIndex& index)
    {
        return index.isValid() ? static_cast<ItemId>(index.internalId()) : kNoItem;
    }

    const ResultTree& tree_;
    QList<QIcon> images_;
    QString rootToolTip_;
};

}  // namespace nexmar
