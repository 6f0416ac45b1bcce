#include "query/system_query.h"

#include <algorithm>
#include <span>
#include <variant>

#include "map/hex_grid.h"

namespace nexmar {

namespace {

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
    const std::span<const std::string_view> pieces(value.pieces.data(), static_cast<std::size_t>(value.count));
    switch (node.comparison) {
    case Comparison::Equal:
        return node.text.Equals(pieces);
    case Comparison::NotEqual:
        return !node.text.Equals(pieces);
    case Comparison::Contains:
        return node.text.FoundIn(pieces);
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
            const std::string_view shown = name;
            if (node.text.Equals(std::span<const std::string_view>(&shown, 1))) {
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
