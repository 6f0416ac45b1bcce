#pragma once

#include <QString>

#include <span>
#include <vector>

#include "model/shown_tree.h"
#include "players/player_tree.h"

namespace nexmar {

class RunSession;

// The systems of the run shown that a find text keeps. A text that parses
// as a query (docs/query.md) is one; any other text is looked for, letter
// case aside, in every item's text, in the name beside each system and in
// the notes on it and its objects.
// A text written as a query (an operator, a parenthesis) that does not
// read as one is refused: nothing is kept, and refusal says why.
struct SystemFilter {
    bool isQuery = false;
    QString notAQuery;               // for plain text: why it is no query
    QString refusal;                 // for a query that is none: "column 13: ..."
    std::vector<ItemId> systems;     // the kept systems' items, in tree order
    // The items found, in tree order: for a query, in each system kept the
    // star, object or moon its conditions matched (the system itself when
    // they name none).
    std::vector<ItemId> matches;
};

// The items of a run's systems, which hang under the tree's one top-level item.
std::span<const ItemId> SystemItems(const ShownTree& tree);

// session: with a run shown. An empty text keeps every system and finds nothing.
// players: the players' view of the tree, when the find is theirs: every
// text is looked for in what they see of the systems they know of (the
// names they are shown, the notes written for them, never the referee's),
// and a text written as a query is refused, since a query reads the
// records whole, hidden fields and notes included.
SystemFilter FilterSystems(const RunSession& session, const QString& text, const PlayerTree* players = nullptr);

}  // namespace nexmar
