#include "query/system_query.h"

#include <algorithm>
#include <span>
#include <variant>

#include "map/hex_grid.h"

namespace nexmar {

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Walks the characters of a text in pieces as if they were one string.
class TextCursor {
public:
    TextCursor(const QueryText& text, int piece, std::size_t offset) : text_(text), piece_(piece), offset_(offset)
    {
        SkipEmptyPieces();
    }
    bool AtEnd() const { return piece_ >= text_.count; }
    char Next()
    {
        const char c = text_.pieces[piece_][offset_++];
        SkipEmptyPieces();
        return c;
    }

private:
    void SkipEmptyPieces()
    {
        while (piece_ < text_.count && offset_ >= text_.pieces[piece_].size()) {
            ++piece_;
            offset_ = 0;
        }
    }

    const QueryText& text_;
    int piece_;
    std::size_t offset_;
};

// Whether the text from the cursor begins with lowered, letter case aside.
bool StartsWithFolded(TextCursor cursor, std::string_view lowered)
{
    for (const char c : lowered) {
        if (cursor.AtEnd() || Lower(cursor.Next()) != c) {
            return false;
        }
    }
    return true;
}

bool SameFolded(std::string_view text, std::string_view lowered)
{
    if (text.size() != lowered.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Lower(text[i]) != lowered[i]) {
            return false;
        }
    }
    return true;
}

// Most texts are one piece and take the short way.
bool EqualsFolded(const QueryText& text, std::string_view lowered)
{
    if (text.count == 1) {
        return SameFolded(text.pieces[0], lowered);
    }
    std::size_t length = 0;
    for (int piece = 0; piece < text.count; ++piece) {
        length += text.pieces[piece].size();
    }
    return length == lowered.size() && StartsWithFolded(TextCursor(text, 0, 0), lowered);
}

bool ContainsFolded(const QueryText& text, std::string_view lowered)
{
    if (lowered.empty()) {
        return true;
    }
    if (text.count == 1) {
        const std::string_view whole = text.pieces[0];
        for (std::size_t offset = 0; offset + lowered.size() <= whole.size(); ++offset) {
            if (Lower(whole[offset]) == lowered[0] && SameFolded(whole.substr(offset, lowered.size()), lowered)) {
                return true;
            }
        }
        return false;
    }
    for (int piece = 0; piece < text.count; ++piece) {
        const std::string_view part = text.pieces[piece];
        for (std::size_t offset = 0; offset < part.size(); ++offset) {
            if (Lower(part[offset]) == lowered[0] && StartsWithFolded(TextCursor(text, piece, offset), lowered)) {
                return true;
            }
        }
    }
    return false;
}

bool Compare(long long value, SystemQuery::Comparison comparison, long long wanted)
{
    using enum SystemQuery::Comparison;
    switch (comparison) {
    case Equal:
        return value == wanted;
    case NotEqual:
        return value != wanted;
    case Less:
        return value < wanted;
    case LessOrEqual:
        return value <= wanted;
    case Greater:
        return value > wanted;
    case GreaterOrEqual:
        return value >= wanted;
    case Contains:
        break;  // never made for a number
    }
    return false;
}

// Tries each of the parts in turn until one is chosen whose choice holds and
// under which next holds. bind puts the part into the focus and says whether
// the conditions it settles hold. A part the query does not name is not
// chosen; where there is no part to choose, the null part stands in, whose
// fields are absent.
template <class Part, class Bind, class Next>
bool ForSomePart(bool named, std::span<const Part> parts, const Bind& bind, const Next& next)
{
    if (!named) {
        return next();
    }
    if (parts.empty()) {
        return bind(nullptr, 0) && next();
    }
    int place = 0;
    for (const Part& part : parts) {
        if (bind(&part, ++place) && next()) {
            return true;
        }
    }
    return false;
}

// Hands the parts of a match to found, when asked: the parts stay chosen
// once a choice holds.
bool Found(bool matched, const QueryFocus& focus, QueryFocus* found)
{
    if (matched && found != nullptr) {
        // The name is held by the match alone.
        *found = focus;
        found->head = {};
    }
    return matched;
}

}  // namespace

bool SystemQuery::Holds(int index, const QueryFocus& focus) const
{
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    switch (node.kind) {
    case Node::Kind::And:
        for (int operand = node.first; operand < node.first + node.count; ++operand) {
            if (!Holds(operands_[static_cast<std::size_t>(operand)], focus)) {
                return false;
            }
        }
        return true;
    case Node::Kind::Or:
        for (int operand = node.first; operand < node.first + node.count; ++operand) {
            if (Holds(operands_[static_cast<std::size_t>(operand)], focus)) {
                return true;
            }
        }
        return false;
    case Node::Kind::Not:
        return !Holds(node.first, focus);
    case Node::Kind::Flag:
        return node.field->flag(focus);
    case Node::Kind::Compare:
        break;
    }
    if (node.field == &kWithinField) {
        return Within(node, focus);
    }
    if (node.field->kind == QueryFieldKind::Number) {
        const std::optional<int> value = node.field->number(focus);
        return value && Compare(*value, node.comparison, node.number);
    }
    const QueryText value = node.field->text(focus);
    if (!value.present) {
        return false;
    }
    switch (node.comparison) {
    case Comparison::Equal:
        return EqualsFolded(value, node.text);
    case Comparison::NotEqual:
        return !EqualsFolded(value, node.text);
    case Comparison::Contains:
        return ContainsFolded(value, node.text);
    default:
        return false;  // never made for a text
    }
}

bool SystemQuery::Settled(QueryScope scope, const QueryFocus& focus) const
{
    for (const int conjunct : settledAt_[static_cast<std::size_t>(scope)]) {
        if (!Holds(conjunct, focus)) {
            return false;
        }
    }
    return true;
}

bool SystemQuery::Matches(int number, const SystemRecord& system, QueryFocus* found, const SectorEdits* edits) const
{
    return std::visit([&](const auto& levelSystem) { return Matches(number, levelSystem, found, edits); }, system);
}

void SystemQuery::AddRefereeText(QueryFocus& focus, const SectorEdits* edits, std::string& name,
                                 PlaceText& place) const
{
    if (!readsRefereeText_ || edits == nullptr) {
        return;
    }
    name = edits->Name(focus.system);
    const SystemEdits* edited = edits->Find(focus.system);
    focus.head = {.name = name, .edits = edited};
    if (edited != nullptr && edited->hex) {
        focus.place = edited->hex;
    } else if (places_ != nullptr && focus.system >= 1 && focus.system <= places_->Systems()) {
        focus.place = places_->Of(focus.system);
    }
    if (focus.place) {
        const std::string hex = HexNumber(*focus.place);  // four bytes: kept within the string, no allocation
        std::copy(hex.begin(), hex.end(), place.begin());
        place[4] = SubsectorLetter(*focus.place);
        focus.head.hex = std::string_view(place.data(), 4);
        focus.head.subsector = std::string_view(place.data() + 4, 1);
        focus.head.sector = places_ != nullptr ? places_->Extent().SectorOf(*focus.place) : 1;
    }
}

bool SystemQuery::Within(const Node& node, const QueryFocus& focus) const
{
    return node.from && focus.place && HexDistance(*node.from, *focus.place) <= node.number;
}

void SystemQuery::PlaceWith(const SystemPlaces* places, const SectorEdits& edits)
{
    places_ = places;
    for (Node& node : nodes_) {
        if (node.field != &kWithinField) {
            continue;
        }
        node.from.reset();
        for (int number = 1; places != nullptr && number <= places->Systems() && !node.from; ++number) {
            const std::string name = edits.Name(number);
            if (EqualsFolded(json_field::Present(name), node.text)) {
                node.from = places->Of(number);
            }
        }
    }
}

bool SystemQuery::Matches(int number, const LowSystem& system, QueryFocus* found, const SectorEdits* edits) const
{
    QueryFocus focus{.system = number, .low = &system};
    std::string name;
    PlaceText place;
    AddRefereeText(focus, edits, name, place);
    return Found(Settled(QueryScope::System, focus), focus, found);
}

bool SystemQuery::Matches(int number, const MediumSystem& system, QueryFocus* found, const SectorEdits* edits) const
{
    QueryFocus focus{.system = number};
    std::string name;
    PlaceText place;
    AddRefereeText(focus, edits, name, place);
    const auto someMoon = [&] {
        const auto moons = focus.mediumObject ? std::span<const std::string_view>(focus.mediumObject->moons)
                                              : std::span<const std::string_view>();
        return ForSomePart(
            Names(QueryScope::Moon), moons,
            [&](const std::string_view* moon, int) {
                focus.mediumMoon = moon;
                return Settled(QueryScope::Moon, focus);
            },
            [] { return true; });
    };
    const bool matched = Settled(QueryScope::System, focus) &&
                         ForSomePart(
                             Names(QueryScope::Object), std::span<const MediumObject>(system.objects),
                             [&](const MediumObject* object, int place) {
                                 focus.mediumObject = object;
                                 focus.objectNumber = place;
                                 return Settled(QueryScope::Object, focus);
                             },
                             someMoon);
    return Found(matched, focus, found);
}

bool SystemQuery::Matches(int number, const HighSystem& system, QueryFocus* found, const SectorEdits* edits) const
{
    QueryFocus focus{.system = number};
    std::string name;
    PlaceText place;
    AddRefereeText(focus, edits, name, place);
    const auto someMoon = [&] {
        const auto moons =
            focus.highObject ? std::span<const HighMoon>(focus.highObject->moons) : std::span<const HighMoon>();
        return ForSomePart(
            Names(QueryScope::Moon), moons,
            [&](const HighMoon* moon, int place) {
                focus.highMoon = moon;
                focus.moonNumber = place;
                return Settled(QueryScope::Moon, focus);
            },
            [] { return true; });
    };
    const auto someObject = [&] {
        const auto objects =
            focus.component ? std::span<const HighObject>(focus.component->objects) : std::span<const HighObject>();
        return ForSomePart(
            Names(QueryScope::Object), objects,
            [&](const HighObject* object, int place) {
                focus.highObject = object;
                focus.objectNumber = place;
                return Settled(QueryScope::Object, focus);
            },
            someMoon);
    };
    const auto someStar = [&] {
        const auto stars = focus.component ? std::span<const Star>(focus.component->stars) : std::span<const Star>();
        return ForSomePart(
            Names(QueryScope::Star), stars,
            [&](const Star* star, int place) {
                focus.star = star;
                focus.starNumber = place;
                return Settled(QueryScope::Star, focus);
            },
            someObject);
    };
    const bool matched = Settled(QueryScope::System, focus) &&
                         ForSomePart(
                             Names(QueryScope::Component), std::span<const StarComponent>(system.components),
                             [&](const StarComponent* component, int) {
                                 focus.component = component;
                                 return Settled(QueryScope::Component, focus);
                             },
                             someStar);
    return Found(matched, focus, found);
}

}  // namespace nexmar
