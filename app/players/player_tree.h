#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/run_records.h"
#include "model/shown_tree.h"

namespace nexmar {

// The result tree as the players see it, for the dialog's Player View: what
// the handout shows, item by item. A Secret system is absent; a hidden
// field's value reads "?" where its line stays ("Capacity: ?", "Star A1: ?",
// "Base stats: Large/?"), and an item whose being there would tell what is
// hidden is absent: the moons of an object whose moons are hidden, the
// second star of a pair whose stars are hidden, and the colony lines a Gaia
// World shows without census where the specials are hidden; a hidden
// special's line stands last, as the tree's sorting by text would place it
// by its first letters. The players'
// name of each system stands beside it, none where the name is hidden. It
// keeps the referee's tree and its item ids, so that a view turning from
// one to the other keeps its open and current items.
class PlayerTree {
public:
    // A snapshot of records as they stand; tree: their tree, never null.
    PlayerTree(std::shared_ptr<const ShownTree> tree, const RunRecords& records);

    // The items of the systems the players know of, in tree order.
    const std::vector<ItemId>& Systems() const { return systems_; }
    // Whether item is one the players see: in no Secret system, and neither
    // it nor an item above it absent.
    bool Shows(ItemId item) const;
    std::string_view Text(ItemId item) const;
    // The children of item that the players see, and item's row among its
    // parent's (a system's among Systems()).
    std::span<const ItemId> Children(ItemId item) const;
    int Row(ItemId item) const;
    // The name beside the system at place: the players' name, and whether
    // it is only rumoured.
    std::string Name(std::size_t place) const;

private:
    void AddSystem(ItemId system, const SystemRecord& record, PlayerFields hidden);
    // The stat lines and moons of a system or object.
    void AddLines(ItemId parent, std::string_view special, std::string_view baseStats, PlayerFields hidden);
    void AddHighObject(ItemId item, const HighObject& object, PlayerFields hidden);
    void Rewrite(ItemId item, std::string text);
    // parent's children but those absent.
    void Drop(ItemId parent, const std::unordered_set<ItemId>& absent);
    // The players' children of parent, in this order.
    void Arrange(ItemId parent, std::vector<ItemId> children);

    std::shared_ptr<const ShownTree> tree_;
    std::vector<ItemId> systems_;
    std::vector<std::string> names_;  // by place; empty for a Secret system
    std::unordered_set<ItemId> absent_;  // Secret systems and items that would tell
    std::unordered_map<ItemId, std::string> texts_;  // the texts that differ from the tree's
    std::unordered_map<ItemId, std::vector<ItemId>> children_;  // of the items that lost some
    std::unordered_map<ItemId, int> rows_;  // the rows that differ from the tree's
};

}  // namespace nexmar
