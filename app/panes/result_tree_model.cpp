#include "app/panes/result_tree_model.h"

#include <QFont>

#include "run/tree_images.h"

namespace nexmar {

namespace {

// Beside each system its name; the items' texts stay in the first column.
constexpr int kNameColumn = 1;

}  // namespace

ResultTreeModel::ResultTreeModel(std::shared_ptr<const ShownTree> tree, QList<QIcon> images, QObject* parent)
    : QAbstractItemModel(parent), tree_(std::move(tree)), images_(std::move(images))
{
}

void ResultTreeModel::Show(std::shared_ptr<const ShownTree> tree)
{
    beginResetModel();
    tree_ = std::move(tree);
    players_.reset();
    keptSystems_.reset();
    keptRows_.clear();
    found_.clear();
    endResetModel();
}

void ResultTreeModel::KeepSystems(std::vector<ItemId> systems, const std::vector<ItemId>& found)
{
    beginResetModel();
    keptRows_.clear();
    keptRows_.reserve(systems.size());
    for (std::size_t row = 0; row < systems.size(); ++row) {
        keptRows_.emplace(systems[row], static_cast<int>(row));
    }
    keptSystems_ = std::move(systems);
    found_ = std::unordered_set<ItemId>(found.begin(), found.end());
    endResetModel();
}

void ResultTreeModel::ShowEverySystem()
{
    ShowToPlayers(players_);
}

void ResultTreeModel::ShowToPlayers(std::shared_ptr<const PlayerTree> players)
{
    beginResetModel();
    players_ = std::move(players);
    keptSystems_.reset();
    keptRows_.clear();
    found_.clear();
    endResetModel();
}

void ResultTreeModel::NamesChanged()
{
    for (int top = 0; top < rowCount(); ++top) {
        const QModelIndex parent = index(top, 0);
        if (const int systems = rowCount(parent); systems > 0) {
            emit dataChanged(index(0, kNameColumn, parent), index(systems - 1, kNameColumn, parent));
        }
    }
}

QModelIndex ResultTreeModel::IndexOf(ItemId item) const
{
    return item == kNoItem ? QModelIndex() : createIndex(RowOf(item), 0, static_cast<quintptr>(item));
}

bool ResultTreeModel::Shows(ItemId item) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= tree_->size()) {
        return false;
    }
    if (players_ && !players_->Shows(item)) {
        return false;
    }
    if (!keptSystems_) {
        return true;
    }
    // Up to the system that holds it, a child of the top-level item.
    ItemId system = item;
    while (tree_->at(system).parent != kNoItem && tree_->at(tree_->at(system).parent).parent != kNoItem) {
        system = tree_->at(system).parent;
    }
    return tree_->at(system).parent == kNoItem || keptRows_.contains(system);
}

std::span<const ItemId> ResultTreeModel::ChildrenOf(ItemId parent) const
{
    // The systems hang under the one top-level item.
    if (keptSystems_ && parent != kNoItem && tree_->at(parent).parent == kNoItem) {
        return *keptSystems_;
    }
    return players_ ? players_->Children(parent) : tree_->Children(parent);
}

int ResultTreeModel::RowOf(ItemId item) const
{
    if (keptSystems_) {
        if (const auto kept = keptRows_.find(item); kept != keptRows_.end()) {
            return kept->second;
        }
    }
    return players_ ? players_->Row(item) : tree_->at(item).row;
}

QModelIndex ResultTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column > kNameColumn || parent.column() > 0) {
        return {};
    }
    const std::span<const ItemId> children = ChildrenOf(IdOf(parent));
    if (row < 0 || static_cast<std::size_t>(row) >= children.size()) {
        return {};
    }
    return createIndex(row, column, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex ResultTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid()) {
        return {};
    }
    const ItemId parentId = tree_->at(IdOf(child)).parent;
    if (parentId == kNoItem) {
        return {};
    }
    return createIndex(RowOf(parentId), 0, static_cast<quintptr>(parentId));
}

int ResultTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(ChildrenOf(IdOf(parent)).size());
}

int ResultTreeModel::columnCount(const QModelIndex&) const
{
    return kNameColumn + 1;
}

bool ResultTreeModel::hasChildren(const QModelIndex& parent) const
{
    return parent.column() <= 0 && !ChildrenOf(IdOf(parent)).empty();
}

QVariant ResultTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const ShownTree::Item item = tree_->at(IdOf(index));
    if (index.column() == kNameColumn) {
        const bool system = item.parent != kNoItem && tree_->at(item.parent).parent == kNoItem;
        const auto place = static_cast<std::size_t>(item.row);
        if (!system) {
            return {};
        }
        if (role == Qt::DisplayRole && players_) {
            return QString::fromStdString(players_->Name(place));
        }
        if (role == Qt::DisplayRole && nameAt_) {
            return QString::fromStdString(nameAt_(place));
        }
        const bool locked = lockedAt_ && lockedAt_(place);
        if (role == Qt::DecorationRole && locked) {
            return lockMark_;
        }
        if (role == Qt::ToolTipRole && locked) {
            return QStringLiteral("Locked: Reroll Others leaves this system as it is");
        }
        return {};
    }
    switch (role) {
    case Qt::DisplayRole: {
        const std::string_view text = players_ ? players_->Text(IdOf(index)) : item.text;
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::DecorationRole:
        if (const int image = ImageIndex(item.image); image >= 0 && image < images_.size()) {
            return images_[image];
        }
        return {};
    case Qt::FontRole:
        if (found_.contains(IdOf(index))) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        // The seed is the referee's.
        if (item.parent == kNoItem && !rootToolTip_.isEmpty() && !players_) {
            return rootToolTip_;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags ResultTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    // The view keeps no expanded state for an item that says it never has
    // children: on a large tree that halves the work of Expand All.
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return ChildrenOf(IdOf(index)).empty() ? flags | Qt::ItemNeverHasChildren : flags;
}

}  // namespace nexmar
