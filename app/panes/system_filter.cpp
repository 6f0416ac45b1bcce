#include "app/panes/system_filter.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/folded_search.h"
#include "model/note_target.h"
#include "model/run_records.h"
#include "app/document/run_session.h"
#include "gen/record_text.h"
#include "query/system_query.h"

namespace nexmar {

namespace {

// Appends the items of the subtree at item whose text holds needle, or that
// found holds, in pre-order; with players, of what they see.
void FindInSubtree(const ShownTree& tree, const PlayerTree* players, ItemId item, const FoldedSearch& needle,
                   const std::vector<ItemId>& found, std::vector<ItemId>& matches)
{
    if (std::find(found.begin(), found.end(), item) != found.end() ||
        needle.FoundIn(players != nullptr ? players->Text(item) : tree.at(item).text)) {
        matches.push_back(item);
    }
    for (const ItemId child : players != nullptr ? players->Children(item) : tree.at(item).children) {
        FindInSubtree(tree, players, child, needle, found, matches);
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

// The items of the system at place whose name or notes hold needle: the
// system's own item for its name and its own notes, an object's item for
// the notes on that object. The referee's find reads the name and both
// kinds of notes; the players' reads the name they are shown (none where it
// is hidden from them) and the notes written for them, never the referee's.
std::vector<ItemId> FoundInNameAndNotes(const RunRecords& records, const ShownTree& tree, const PlayerTree* players,
                                        std::size_t place, ItemId systemItem, const FoldedSearch& needle)
{
    std::vector<ItemId> found;
    const int number = records.NumberAt(place);
    std::string name;
    if (players == nullptr) {
        name = records.Edits().Name(number);
    } else if (const std::optional<PlayerSystem> shown = PlayerSystemOf(records.Edits(), number)) {
        name = shown->name;
    }
    if (needle.FoundIn(name)) {
        found.push_back(systemItem);
    }
    // The players' notes first: the players read them alone.
    static constexpr NoteKind kNoteKinds[] = {NoteKind::Players, NoteKind::Referee};
    for (const NoteKind kind : std::span<const NoteKind>(kNoteKinds, players != nullptr ? 1 : 2)) {
        for (const SystemNote& note : SystemNotes(records, place, kind)) {
            if (!needle.FoundIn(note.text)) {
                continue;
            }
            const ItemId object = note.about.empty() ? kNoItem : ChildNamed(tree, systemItem, note.about);
            const bool shown = object != kNoItem && (players == nullptr || players->Shows(object));
            found.push_back(shown ? object : systemItem);
        }
    }
    return found;
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
    const FoldedSearch needle(typed);
    const RunRecords& records = session.Records();
    for (const ItemId system : systems) {
        const auto place = static_cast<std::size_t>(tree.at(system).row);
        const std::vector<ItemId> found =
            place < records.size() ? FoundInNameAndNotes(records, tree, players, place, system, needle)
                                   : std::vector<ItemId>();
        const std::size_t before = filter.matches.size();
        FindInSubtree(tree, players, system, needle, found, filter.matches);
        if (filter.matches.size() != before) {
            filter.systems.push_back(system);
        }
    }
    return filter;
}

}  // namespace nexmar
