#include "model/shown_tree.h"

#include <algorithm>
#include <utility>

namespace nexmar {

ShownTree::Item ShownTree::at(ItemId id) const
{
    const Node& node = nodes_[static_cast<std::size_t>(id)];
    const std::string& block = textBlocks_[node.textStart / kTextBlock];
    return {std::string_view(block).substr(node.textStart % kTextBlock, node.textLength),
            static_cast<TreeImage>(node.image), node.parent, node.row, Children(id)};
}

std::span<const ItemId> ShownTree::Children(ItemId parent) const
{
    if (parent == kNoItem) {
        return topLevelIds_;
    }
    const Node& node = nodes_[static_cast<std::size_t>(parent)];
    if (node.parent == kNoItem) {
        return topLevel_[node.firstChild].children;
    }
    return std::span<const ItemId>(childIds_).subspan(node.firstChild, node.childCount);
}

ItemId ShownTree::Append(const ResultTree::Item& source, ItemId parent, int row)
{
    const std::string& text = source.text;
    if (textBlocks_.empty() || textBlocks_.back().size() + text.size() > kTextBlock) {
        // A text longer than a block has a block of its own.
        textBlocks_.emplace_back().reserve(std::max(kTextBlock, text.size()));
    }
    std::string& block = textBlocks_.back();
    const auto start = static_cast<std::uint32_t>((textBlocks_.size() - 1) * kTextBlock + block.size());
    block += text;
    const auto id = static_cast<ItemId>(nodes_.size());
    nodes_.push_back(Node{start, static_cast<std::uint32_t>(text.size()), parent, row, 0, 0,
                          static_cast<std::uint8_t>(source.image)});
    return id;
}

ItemId ShownTree::TopLevelOf(const ResultTree& tree, ItemId engineId)
{
    for (const TopLevel& top : topLevel_) {
        if (top.engineId == engineId) {
            return top.id;
        }
    }
    const ItemId id = Append(tree.at(engineId), kNoItem, static_cast<int>(topLevelIds_.size()));
    nodes_.back().firstChild = static_cast<std::uint32_t>(topLevel_.size());
    topLevel_.push_back({engineId, id, {}});
    topLevelIds_.push_back(id);
    return id;
}

void ShownTree::AddSystem(const ResultTree& tree, ItemId system)
{
    const ItemId top = TopLevelOf(tree, tree.at(system).parent);
    std::vector<ItemId>& systems = topLevel_[nodes_[static_cast<std::size_t>(top)].firstChild].children;
    const ItemId id = Append(tree.at(system), top, static_cast<int>(systems.size()));
    systems.push_back(id);
    // Level by level, so that the children of each item take one run of childIds_.
    std::vector<std::pair<ItemId, ItemId>> pending{{system, id}};  // the engine's id, this tree's
    for (std::size_t next = 0; next < pending.size(); ++next) {
        const auto [engineId, copy] = pending[next];
        const std::vector<ItemId>& children = tree.at(engineId).children;
        Node& node = nodes_[static_cast<std::size_t>(copy)];
        node.firstChild = static_cast<std::uint32_t>(childIds_.size());
        node.childCount = static_cast<std::uint32_t>(children.size());
        for (std::size_t row = 0; row < children.size(); ++row) {
            const ItemId child = Append(tree.at(children[row]), copy, static_cast<int>(row));
            childIds_.push_back(child);
            pending.emplace_back(children[row], child);
        }
    }
}

void ShownTree::AddTopLevel(const ResultTree& tree)
{
    for (const ItemId top : tree.Children(kNoItem)) {
        TopLevelOf(tree, top);
    }
}

ShownTree ShownTree::CopyOf(const ResultTree& tree)
{
    ShownTree copy;
    copy.AddTopLevel(tree);
    for (const ItemId top : tree.Children(kNoItem)) {
        for (const ItemId system : tree.Children(top)) {
            copy.AddSystem(tree, system);
        }
    }
    return copy;
}

std::vector<int> ShownTree::PathOf(ItemId id) const
{
    std::vector<int> path;
    for (ItemId at = id; at != kNoItem; at = nodes_[static_cast<std::size_t>(at)].parent) {
        path.push_back(nodes_[static_cast<std::size_t>(at)].row);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

ItemId ShownTree::AtPath(std::span<const int> path) const
{
    ItemId at = kNoItem;
    for (const int row : path) {
        const std::span<const ItemId> children = Children(at);
        if (row < 0 || static_cast<std::size_t>(row) >= children.size()) {
            return kNoItem;
        }
        at = children[static_cast<std::size_t>(row)];
    }
    return at;
}

}  // namespace nexmar
