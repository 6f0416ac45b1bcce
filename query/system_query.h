#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/folded_search.h"
#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "map/system_places.h"
#include "query/query_fields.h"

namespace nexmar {

// A filter over the systems of one run, in the language docs/query.md
// describes: `gaia`, `type = "Gas Giant" and capacity >= 8`,
// `star.size = Supergiant`. Parsed once; matching a system allocates nothing.
//
// A system matches when the query holds for one choice of the parts it names:
// a component, one of that component's stars and one of its objects, one of
// that object's moons. So `type = Terrestrial and moons >= 2` asks for one
// object that is both.
class SystemQuery {
public:
    enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, Contains };

    DetailLevel level() const { return level_; }

    // found, when given, hears the parts of the first choice that matched
    // (the star, object or moon a condition is about). edits give the
    // system's name, notes, player notes and visibility; without them, a
    // query of any of these matches nothing.
    bool Matches(int number, const LowSystem& system, QueryFocus* found = nullptr,
                 const SectorEdits* edits = nullptr) const;
    bool Matches(int number, const MediumSystem& system, QueryFocus* found = nullptr,
                 const SectorEdits* edits = nullptr) const;
    bool Matches(int number, const HighSystem& system, QueryFocus* found = nullptr,
                 const SectorEdits* edits = nullptr) const;
    bool Matches(int number, const SystemRecord& system, QueryFocus* found = nullptr,
                 const SectorEdits* edits = nullptr) const;
    // Whether it reads a system's name, notes, player notes or visibility,
    // or its place.
    bool ReadsRefereeText() const { return readsRefereeText_; }
    // Gives the query the run's places (RunPlaces), which its hexes,
    // subsectors and distances read, and finds the systems its distances
    // are measured from by their names in edits. Without places, a query
    // of a place matches nothing; nor does a distance from a name no
    // system has. A system moved in edits lies where it was moved.
    void PlaceWith(const SystemPlaces* places, const SectorEdits& edits);

private:
    friend class QueryParser;

    struct Node {
        enum class Kind { And, Or, Not, Compare, Flag };
        Kind kind = Kind::Compare;
        int first = 0;  // And, Or: operands_[first, first + count); Not: the node negated
        int count = 0;
        const QueryField* field = nullptr;
        Comparison comparison = Comparison::Equal;
        long long number = 0;
        FoldedSearch text{std::string_view()};  // letter case aside
        std::optional<HexPlace> from = std::nullopt;  // of a distance: the place of the system named
    };

    explicit SystemQuery(DetailLevel level) : level_(level) {}
    bool Holds(int node, const QueryFocus& focus) const;
    bool Within(const Node& node, const QueryFocus& focus) const;
    bool Settled(QueryScope scope, const QueryFocus& focus) const;
    bool Names(QueryScope scope) const { return (scopes_ & (1u << static_cast<unsigned>(scope))) != 0; }
    // A place's texts, its hex then its subsector's letter.
    using PlaceText = std::array<char, 5>;
    // Puts the system's name (into name), notes and place (its texts into
    // place) in focus, when the query reads them.
    void AddRefereeText(QueryFocus& focus, const SectorEdits* edits, std::string& name, PlaceText& place) const;

    DetailLevel level_;
    std::vector<Node> nodes_;   // operands before what combines them; the whole query last
    std::vector<int> operands_;  // of each And and Or, side by side
    unsigned scopes_ = 0;       // the parts the query names, with the parts that hold them
    bool readsRefereeText_ = false;
    const SystemPlaces* places_ = nullptr;
    // The conditions joined by the query's outermost "and" (or the whole
    // query), each under the innermost part it reads: parts are chosen from
    // the outside in, so a condition is checked once its parts are chosen,
    // and a choice that fails it goes no deeper.
    std::array<std::vector<int>, kQueryScopeCount> settledAt_;
};

// The query, or the reason it is not one, as one line: "column 12: expected a
// value after '>='". Columns count characters from 1.
struct SystemQueryParse {
    std::optional<SystemQuery> query;
    std::string error;
};
SystemQueryParse ParseSystemQuery(std::string_view text, DetailLevel level);

}  // namespace nexmar
