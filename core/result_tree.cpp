#include "core/result_tree.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <iterator>

namespace nexmar {

namespace {

bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return lower(x) < lower(y); });
}

}  // namespace

void ResultTree::Clear()
{
    items_.clear();
    topLevel_.clear();
}

ItemId ResultTree::Insert(ItemId parent, std::string text, TreeImage image, Placement placement)
{
    const auto id = static_cast<ItemId>(items_.size());
    std::vector<ItemId>& siblings = ChildrenOf(parent);

    auto position = siblings.end();
    if (placement == Placement::First) {
        position = siblings.begin();
    } else if (placement == Placement::Sorted) {
        // An equal text goes after its equals, as the tree control's sorted insertion does.
        position = std::upper_bound(siblings.begin(), siblings.end(), text, [this](const std::string& t, ItemId sibling) {
            return LessIgnoringCase(t, at(sibling).text);
        });
    }
    const auto row = static_cast<int>(position - siblings.begin());
    position = siblings.insert(position, id);
    for (auto later = position + 1; later != siblings.end(); ++later) {
        ++items_[static_cast<std::size_t>(*later)].row;
    }
    // siblings may refer into items_, so it is not used after this growth.
    items_.push_back(Item{std::move(text), image, parent, row, {}});
    return id;
}

void ResultTree::DropFrom(ItemId id)
{
    std::vector<ItemId>& siblings = ChildrenOf(at(id).parent);
    assert(!siblings.empty() && siblings.back() == id);
    siblings.pop_back();
    items_.erase(items_.begin() + id, items_.end());
}

ItemId AddStatItem(ResultTree& tree, std::string_view label, int value, TreeImage image, ItemId parent)
{
    std::string text(label);
    if (value != NO_VALUE) {
        // "%s: %d", without printf's cost: a large run adds millions of these.
        char digits[16];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
        text.append(": ").append(digits, end);
    }
    return tree.Insert(parent, std::move(text), image, Placement::Sorted);
}

}  // namespace nexmar
