#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QList>

#include <functional>
#include <string>

#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/shown_tree.h"
#include "players/player_tree.h"

namespace nexmar {

// A read-only view of the run's ShownTree for QTreeView. An index's
// internal id is the ItemId, and parent and row come from the item itself,
// so every lookup takes constant time. The model shares the ownership of
// the tree it shows, so the tree lasts as long as the model shows it,
// whoever else lets go of it. A tree is never changed while shown: Show
// replaces it whole and tells the views once instead of item by item.
class ResultTreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    // tree: never null. images: the TreeImage icons, in index order.
    ResultTreeModel(std::shared_ptr<const ShownTree> tree, QList<QIcon> images, QObject* parent = nullptr);

    // Shows tree as the referee sees it, even after ShowToPlayers.
    void Show(std::shared_ptr<const ShownTree> tree);
    // Shows the tree shown as the players see it (players: of that tree), or
    // as the referee does (null). Either tells the views once, as Show does;
    // the systems a find keeps are kept again by KeepSystems.
    void ShowToPlayers(std::shared_ptr<const PlayerTree> players);
    const PlayerTree* Players() const { return players_.get(); }
    // The tree shown, as the referee sees it.
    const ShownTree& Tree() const { return *tree_; }
    // The tooltip of the top-level item, which says how its run can be
    // repeated; it is read when the next tree is shown.
    void SetRootToolTip(const QString& text) { rootToolTip_ = text; }
    // Shows only the systems given (items under the top-level item, in tree
    // order), with the items found shown in bold; ShowEverySystem undoes it.
    // Either tells the views once, as Show does.
    void KeepSystems(std::vector<ItemId> systems, const std::vector<ItemId>& found);
    void ShowEverySystem();
    // The index of an item the model shows.
    QModelIndex IndexOf(ItemId item) const;
    // Whether item is one of the tree's and lies in no system left out.
    bool Shows(ItemId item) const;
    ItemId ItemOf(const QModelIndex& index) const { return IdOf(index); }
    // The name shown in a second column beside each system, by its place
    // (its row under the top-level item); the items' own texts stay as the
    // reports write them.
    void SetSystemNames(std::function<std::string(std::size_t)> nameAt) { nameAt_ = std::move(nameAt); }
    // Which systems (by place) show mark beside their names: the locked ones.
    void SetSystemLocks(std::function<bool(std::size_t)> lockedAt, QIcon mark)
    {
        lockedAt_ = std::move(lockedAt);
        lockMark_ = std::move(mark);
    }
    // Some system's name or lock changed: the views read the names again.
    void NamesChanged();

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

    std::span<const ItemId> ChildrenOf(ItemId parent) const;
    int RowOf(ItemId item) const;

    std::shared_ptr<const ShownTree> tree_;
    std::shared_ptr<const PlayerTree> players_;  // while the players' view is shown
    // While systems are kept: they, the row of each by its item, and the items found.
    std::optional<std::vector<ItemId>> keptSystems_;
    std::unordered_map<ItemId, int> keptRows_;
    std::unordered_set<ItemId> found_;
    QList<QIcon> images_;
    QString rootToolTip_;
    std::function<std::string(std::size_t)> nameAt_;
    std::function<bool(std::size_t)> lockedAt_;
    QIcon lockMark_;
};

}  // namespace nexmar
