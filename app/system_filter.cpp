#include "app/system_filter.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "model/run_records.h"
#include "app/run_session.h"
#include "gen/record_text.h"
#include "query/system_query.h"

namespace nexmar {

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view lowerNeedle)
{
    const auto lower = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    };
    return std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(), lower) != text.end();
}

// Appends the items of the subtree at item whose text holds needle, in
// pre-order; with players, of what they see.
void FindInSubtree(const ShownTree& tree, const PlayerTree* players, ItemId item, std::string_view needle,
                   std::vector<ItemId>& matches)
{
    if (ContainsIgnoringCase(players != nullptr ? players->Text(item) : tree.at(item).text, needle)) {
        matches.push_back(item);
    }
    for (const ItemId child : players != nullptr ? players->Children(item) : tree.at(item).children) {
        FindInSubtree(tree, players, child, needle, matches);
    }
}

constexpr const char* kNoQueryForPlayers =
    "Player View finds text only: a query would read what the players may not see";

// Operators and parentheses belong to queries alone: a text holding one is
// meant as a query, and plain words are looked for as text.
bool WrittenAsQuery(std::string_view text)
{
    return text.find_first_of("=<>~!()") != std::string_view::npos;
}

// The child of parent whose text is name, or begins with it and a colon
// ("Star A1: Red Supergiant (MI)"); kNoItem if none is.
ItemId ChildNamed(const ShownTree& tree, ItemId parent, const std::string& name)
{
    for (const ItemId child : tree.Children(parent)) {
        const std::string_view text = tree.at(child).text;
        if (text == name || (text.size() > name.size() && text.starts_with(name) && text[name.size()] == ':')) {
            return child;
        }
    }
    return kNoItem;
}

// The item of the part a query matched, under its system's item: the
// deepest part the match chose, named as the tree names it.
ItemId FoundItem(const ShownTree& tree, ItemId systemItem, const QueryFocus& found)
{
    const int number = found.system;
    if (found.highObject != nullptr) {
        const std::string object = HighObjectNumber(number, found.component->letter, found.objectNumber - 1);
        const ItemId objectItem = ChildNamed(tree, systemItem, "Object " + object);
        if (objectItem == kNoItem || found.highMoon == nullptr) {
            return objectItem == kNoItem ? systemItem : objectItem;
        }
        const ItemId moonItem = ChildNamed(tree, objectItem, "Moon " + object + "." + std::to_string(found.moonNumber));
        return moonItem == kNoItem ? objectItem : moonItem;
    }
    ItemId item = kNoItem;
    if (found.mediumObject != nullptr) {
        item = ChildNamed(tree, systemItem, "Object " + MediumObjectNumber(number, found.objectNumber));
    } else if (found.star != nullptr) {
        item = ChildNamed(tree, systemItem, StarItemName(found.component->letter, found.starNumber));
    }
    return item == kNoItem ? systemItem : item;
}

}  // namespace

std::span<const ItemId> SystemItems(const ShownTree& tree)
{
    return tree.Children(kNoItem).empty() ? std::span<const ItemId>() : tree.Children(tree.Children(kNoItem).front());
}

SystemFilter FilterSystems(const RunSession& session, const QString& text, const PlayerTree* players)
{
    SystemFilter filter;
    const ShownTree& tree = *session.Tree();
    const std::span<const ItemId> systems =
        players != nullptr ? std::span<const ItemId>(players->Systems()) : SystemItems(tree);
    const std::string typed = text.trimmed().toStdString();
    if (typed.empty()) {
        filter.systems.assign(systems.begin(), systems.end());
        return filter;
    }
    if (players != nullptr && WrittenAsQuery(typed)) {
        filter.refusal = QString::fromLatin1(kNoQueryForPlayers);
        return filter;
    }
    SystemQueryParse parse = players != nullptr ? SystemQueryParse{std::nullopt, kNoQueryForPlayers}
                                                : ParseSystemQuery(typed, session.Description().level);
    if (parse.query) {
        filter.isQuery = true;
        const SystemQuery& query = *parse.query;
        const RunRecords& records = session.Records();
        for (std::size_t place = 0; place < records.size() && place < systems.size(); ++place) {
            const int number = records.NumberAt(place);
            QueryFocus found;
            if (query.Matches(number, records.At(place), &found, &records.Edits())) {
                filter.systems.push_back(systems[place]);
                filter.matches.push_back(FoundItem(tree, systems[place], found));
            }
        }
        return filter;
    }
    if (WrittenAsQuery(typed)) {
        filter.refusal = QString::fromStdString(parse.error);
        return filter;
    }
    filter.notAQuery = QString::fromStdString(parse.error);
    std::string needle = typed;
    std::transform(needle.begin(), needle.end(), needle.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ItemId system : systems) {
        const std::size_t before = filter.matches.size();
        FindInSubtree(tree, players, system, needle, filter.matches);
        if (filter.matches.size() != before) {
            filter.systems.push_back(system);
        }
    }
    return filter;
}

}  // namespace nexmar
