#include "players/player_tree.h"

#include <variant>

#include "gen/names/sector_edits.h"
#include "gen/record_text.h"
#include "players/player_table.h"

namespace nexmar {

namespace {

constexpr std::string_view kBaseStats = "Base stats: ";

// The base stats line ("Base stats: Large/Gas Giant") as the players see it.
std::string BaseStats(std::string_view first, PlayerField firstField, std::string_view second,
                      PlayerField secondField, PlayerFields hidden)
{
    std::string text(kBaseStats);
    text.append(hidden.Has(firstField) ? "?" : first).append("/").append(hidden.Has(secondField) ? "?" : second);
    return text;
}

}  // namespace

PlayerTree::PlayerTree(std::shared_ptr<const ShownTree> tree, const RunRecords& records) : tree_(std::move(tree))
{
    const ShownTree& shown = *tree_;
    const std::span<const ItemId> top = shown.Children(kNoItem);
    const std::span<const ItemId> systems = top.empty() ? std::span<const ItemId>() : shown.Children(top.front());
    names_.resize(records.size());
    for (std::size_t place = 0; place < systems.size() && place < records.size(); ++place) {
        const std::optional<PlayerSystem> player = PlayerSystemOf(records.Edits(), records.NumberAt(place));
        if (!player) {
            absent_.insert(systems[place]);
            continue;
        }
        rows_.emplace(systems[place], static_cast<int>(systems_.size()));
        systems_.push_back(systems[place]);
        const SystemEdits* edits = player->edits;
        const bool rumoured = edits != nullptr && edits->visibility == Visibility::Rumoured;
        names_[place] = player->name;
        if (rumoured) {
            names_[place] += names_[place].empty() ? "(Rumoured)" : " (Rumoured)";
        }
        AddSystem(systems[place], records.At(place), player->hidden);
    }
}

void PlayerTree::AddSystem(ItemId system, const SystemRecord& record, PlayerFields hidden)
{
    using enum PlayerField;
    if (const auto* low = std::get_if<LowSystem>(&record)) {
        AddLines(system, low->special,
                 BaseStats(LowSizeClassName(low->sizeClass), Size, ImportanceName(low->importance), Importance, hidden),
                 hidden);
        return;
    }
    const std::span<const ItemId> items = tree_->Children(system);
    std::size_t next = 0;
    if (const auto* medium = std::get_if<MediumSystem>(&record)) {
        for (const MediumObject& object : medium->objects) {
            AddLines(items[next++], object.special,
                     BaseStats(ValueText(object.value), Value, MediumObjectTypeName(object.type), Type, hidden), hidden);
        }
        return;
    }
    // Hidden stars are one line a component, as the picture draws one star
    // of no kind: a second line would tell a pair.
    std::unordered_set<ItemId> absent;
    for (const StarComponent& component : std::get<HighSystem>(record).components) {
        for (std::size_t star = 0; star < component.stars.size(); ++star) {
            if (hidden.Has(Stars) && star == 0) {
                Rewrite(items[next], StarItemName(component.letter, 1) + ": ?");
            } else if (hidden.Has(Stars)) {
                absent.insert(items[next]);
            }
            ++next;
        }
        for (const HighObject& object : component.objects) {
            AddHighObject(items[next++], object, hidden);
        }
    }
    Drop(system, absent);
}

void PlayerTree::AddHighObject(ItemId item, const HighObject& object, PlayerFields hidden)
{
    using enum PlayerField;
    AddLines(item, object.special,
             BaseStats(HighObjectSizeName(object.size), Size, HighObjectTypeName(object.type), Type, hidden), hidden);
    // A Gaia World shows a colony without census, which would tell its special.
    const bool colonyTells = object.gaiaWorld && !object.census && hidden.Has(Special);
    std::unordered_set<ItemId> absent;
    for (const ItemId child : tree_->Children(item)) {
        const bool moon = !tree_->at(child).children.empty();
        if ((moon && hidden.Has(Moons)) || (colonyTells && FieldOfStatLine(tree_->at(child).text) == Census)) {
            absent.insert(child);
        } else if (moon) {
            AddLines(child, {}, {}, hidden);
        }
    }
    Drop(item, absent);
}

void PlayerTree::AddLines(ItemId parent, std::string_view special, std::string_view baseStats, PlayerFields hidden)
{
    ItemId specialLine = kNoItem;
    for (const ItemId child : tree_->Children(parent)) {
        const std::string_view text = tree_->at(child).text;
        if (!tree_->at(child).children.empty()) {
            continue;  // a moon
        }
        specialLine = text == special ? child : specialLine;
        Rewrite(child, text.starts_with(kBaseStats) ? std::string(baseStats) : PlayerStatLine(text, special, hidden));
    }
    // The tree sorts lines by their text: among them, a hidden special's
    // place would tell its first letters, so it goes last for all.
    if (hidden.Has(PlayerField::Special) && specialLine != kNoItem) {
        std::vector<ItemId> order(Children(parent).begin(), Children(parent).end());
        std::erase(order, specialLine);
        order.push_back(specialLine);
        Arrange(parent, std::move(order));
    }
}

void PlayerTree::Arrange(ItemId parent, std::vector<ItemId> children)
{
    for (std::size_t row = 0; row < children.size(); ++row) {
        rows_.insert_or_assign(children[row], static_cast<int>(row));
    }
    children_.insert_or_assign(parent, std::move(children));
}

void PlayerTree::Rewrite(ItemId item, std::string text)
{
    if (text != tree_->at(item).text) {
        texts_.insert_or_assign(item, std::move(text));
    }
}

void PlayerTree::Drop(ItemId parent, const std::unordered_set<ItemId>& absent)
{
    if (absent.empty()) {
        return;
    }
    std::vector<ItemId> kept;
    for (const ItemId child : Children(parent)) {
        if (absent.contains(child)) {
            absent_.insert(child);
        } else {
            kept.push_back(child);
        }
    }
    Arrange(parent, std::move(kept));
}

bool PlayerTree::Shows(ItemId item) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= tree_->size()) {
        return false;
    }
    for (ItemId above = item; above != kNoItem; above = tree_->at(above).parent) {
        if (absent_.contains(above)) {
            return false;
        }
    }
    return true;
}

std::string_view PlayerTree::Text(ItemId item) const
{
    const auto text = texts_.find(item);
    return text != texts_.end() ? std::string_view(text->second) : tree_->at(item).text;
}

std::span<const ItemId> PlayerTree::Children(ItemId item) const
{
    if (item != kNoItem && tree_->at(item).parent == kNoItem) {
        return systems_;
    }
    const auto kept = children_.find(item);
    return kept != children_.end() ? std::span<const ItemId>(kept->second) : tree_->Children(item);
}

int PlayerTree::Row(ItemId item) const
{
    const auto row = rows_.find(item);
    return row != rows_.end() ? row->second : tree_->at(item).row;
}

std::string PlayerTree::Name(std::size_t place) const
{
    return place < names_.size() ? names_[place] : std::string();
}

}  // namespace nexmar
