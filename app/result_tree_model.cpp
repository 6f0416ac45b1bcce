#include "app/result_tree_model.h"

#include "run/tree_images.h"

namespace nexmar {

ResultTreeModel::ResultTreeModel(std::shared_ptr<const ResultTree> tree, QList<QIcon> images, QObject* parent)
    : QAbstractItemModel(parent), tree_(std::move(tree)), images_(std::move(images))
{
}

void ResultTreeModel::Show(std::shared_ptr<const ResultTree> tree)
{
    beginResetModel();
    tree_ = std::move(tree);
    endResetModel();
}

void ResultTreeModel::ShowAgain()
{
    beginResetModel();
    endResetModel();
}

QModelIndex ResultTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || parent.column() > 0) {
        return {};
    }
    const std::vector<ItemId>& children = tree_->Children(IdOf(parent));
    if (row < 0 || static_cast<std::size_t>(row) >= children.size()) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
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
    return createIndex(tree_->at(parentId).row, 0, static_cast<quintptr>(parentId));
}

int ResultTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(tree_->Children(IdOf(parent)).size());
}

int ResultTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool ResultTreeModel::hasChildren(const QModelIndex& parent) const
{
    return parent.column() <= 0 && !tree_->Children(IdOf(parent)).empty();
}

QVariant ResultTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const ResultTree::Item& item = tree_->at(IdOf(index));
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(item.text);
    case Qt::DecorationRole:
        if (const int image = ImageIndex(item.image); image >= 0 && image < images_.size()) {
            return images_[image];
        }
        return {};
    case Qt::ToolTipRole:
        if (item.parent == kNoItem && !rootToolTip_.isEmpty()) {
            return rootToolTip_;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags ResultTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace nexmar
