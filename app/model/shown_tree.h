#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/result_tree.h"

namespace nexmar {

// The result tree as the dialog keeps it, in a third of the memory of the
// engine's tree: the texts packed in large blocks, each item's children in
// one contiguous run of ids. It is copied from the engine's tree a finished
// system at a time, so the engine's tree never holds more than one system
// while a run renders. Its ids are its own, not the engine tree's.
class ShownTree {
public:
    struct Item {
        std::string_view text;
        TreeImage image{};
        ItemId parent = kNoItem;
        int row = 0;
        std::span<const ItemId> children;
    };

    Item at(ItemId id) const;
    // parent kNoItem: the top-level items.
    std::span<const ItemId> Children(ItemId parent) const;
    std::size_t size() const { return nodes_.size(); }
    bool empty() const { return nodes_.empty(); }

    // Copies system, a finished child of a top-level item, with every item
    // below it; its top-level item is copied first when it is new here.
    void AddSystem(const ResultTree& tree, ItemId system);
    // Copies the top-level items of tree not copied yet: a run that shows no
    // system still shows its top-level item.
    void AddTopLevel(const ResultTree& tree);
    // A whole tree at once.
    static ShownTree CopyOf(const ResultTree& tree);

    // The rows that lead from the top level down to id, so that the same
    // place can be found in a tree rendered again; AtPath finds it, or
    // kNoItem where the tree has no such place.
    std::vector<int> PathOf(ItemId id) const;
    ItemId AtPath(std::span<const int> path) const;

private:
    struct Node {
        std::uint32_t textStart;  // block * kTextBlock + offset in the block
        std::uint32_t textLength;
        ItemId parent;
        std::int32_t row;
        std::uint32_t firstChild;  // in childIds_; for a top-level item, in topLevel_
        std::uint32_t childCount;
        std::uint8_t image;
    };
    // A top-level item, whose children keep coming while systems are added.
    struct TopLevel {
        ItemId engineId;
        ItemId id;
        std::vector<ItemId> children;
    };
    static constexpr std::size_t kTextBlock = std::size_t{1} << 20;

    ItemId Append(const ResultTree::Item& source, ItemId parent, int row);
    ItemId TopLevelOf(const ResultTree& tree, ItemId engineId);

    // A deque grows without copying itself, so a large tree never stands
    // twice in memory while it grows.
    std::deque<Node> nodes_;
    std::vector<std::string> textBlocks_;
    std::vector<ItemId> childIds_;
    std::vector<TopLevel> topLevel_;
    std::vector<ItemId> topLevelIds_;
};

}  // namespace nexmar
