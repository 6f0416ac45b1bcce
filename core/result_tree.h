#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nexmar {

// An item's image, an index in the image list the views load; the tree
// renderer names them (run/tree_images.h).
enum class TreeImage : int;

// The value that makes AddStatItem show a label alone.
inline constexpr int NO_VALUE = -99;

using ItemId = std::int32_t;
inline constexpr ItemId kNoItem = -1;

enum class Placement {
    First,   // first item at the top level
    Last,    // after the parent's existing children
    Sorted,  // among the parent's children, alphabetically by text, ignoring case
};

// The results of a run as a tree of items with a text and an image index.
// Every item knows its parent and its row, so both are found in constant time.
class ResultTree {
public:
    struct Item {
        std::string text;
        TreeImage image{};
        ItemId parent = kNoItem;
        int row = 0;
        std::vector<ItemId> children;
    };

    void Clear();
    // parent kNoItem inserts at the top level.
    ItemId Insert(ItemId parent, std::string text, TreeImage image, Placement placement);

    const Item& at(ItemId id) const { return items_[static_cast<std::size_t>(id)]; }
    const std::vector<ItemId>& Children(ItemId parent) const
    {
        return parent == kNoItem ? topLevel_ : at(parent).children;
    }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    // Removes the item and every item inserted after it. The item must be
    // the last child of its parent, as a finished system is; a batch run
    // uses this to keep its memory flat.
    void DropFrom(ItemId id);

private:
    std::vector<ItemId>& ChildrenOf(ItemId parent)
    {
        return parent == kNoItem ? topLevel_ : items_[static_cast<std::size_t>(parent)].children;
    }

    std::vector<Item> items_;
    std::vector<ItemId> topLevel_;
};

// Adds a stat line under parent at the sorted placement: "label: value", or
// the label alone when value is NO_VALUE.
ItemId AddStatItem(ResultTree& tree, std::string_view label, int value, TreeImage image, ItemId parent);

}  // namespace nexmar
