#pragma once

#include <array>
#include <concepts>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

namespace nexmar::json_field {

// When a field is in its object.
enum class When {
    Always,    // in every such object
    Census,    // with the census option only, after "raw"
    Edited,    // from format 2 on, where the referee made it; a reader takes its absence
    Filtered,  // in the head of a run that a query filtered
    Mapped,    // from format 3 on, in every such object
    Derived,   // never in the document: the query's alone, worked out from what is
};

// A text as consecutive pieces, so that a star's description is read without
// being built. No pieces and not present: the part lacks the field (a census
// without the census option, a Medium object without a value class).
struct FieldText {
    std::array<std::string_view, 7> pieces{};
    int count = 0;
    bool present = false;
};

constexpr FieldText Present(std::string_view text)
{
    return {.pieces = {text}, .count = 1, .present = true};
}

// How a row reads its field from a part, or that it does not. Whether it
// reads is kept beside the function: the query chooses its fields at compile
// time, and g++ does not hold the address of a template's instance to be
// non-null in a constant expression when it checks for null pointers
// (-fsanitize=undefined), as it may be a weak symbol.
template <class Result, class Part>
struct PartReader {
    Result (*read)(const Part&) = nullptr;
    bool reads = false;

    constexpr PartReader() = default;
    constexpr PartReader(Result (*reader)(const Part&)) : read(reader), reads(true) {}
    // A lambda without captures.
    template <class Lambda>
        requires std::is_class_v<Lambda> && std::convertible_to<Lambda, Result (*)(const Part&)>
    constexpr PartReader(Lambda lambda) : read(lambda), reads(true)
    {
    }
    constexpr explicit operator bool() const { return reads; }
    Result operator()(const Part& part) const { return read(part); }
};

// One field of an object of the document, one row of its object's table:
// the tables give the writer its order, the reader the keys it expects and
// the query its fields. A field is read from its part by one of number, text
// or flag, and the writer writes what that gives; a field without a reader
// (an array, a seed) the part's writer writes by hand, in the row's place.
// A new field is its key's name in json/json_format.h and one row here:
// written, expected and offered to the query from then on; what the reader
// checks of its value goes in its object's check, beside the table.
template <class Part>
struct Row {
    std::string_view key;
    When when = When::Always;
    // The part's number in its array, from 1, which the writer and the
    // query know from where they stand.
    bool place = false;
    PartReader<std::optional<int>, Part> number = {};  // nothing: the part lacks it
    PartReader<FieldText, Part> text = {};
    PartReader<bool, Part> flag = {};
    // Where the writer leaves the field out though the part has it: where
    // it holds what a reader takes the field's absence for.
    bool (*leftOut)(const Part&) = nullptr;
    bool nullWhenAbsent = false;  // written as null where the part lacks it
    // Written by the part's writer though read by the query as number: an
    // object's moons, whose count the query compares.
    bool writtenByHand = false;
    // For the query: every text of a closed set the field takes; another
    // name it accepts ("gaia"); read from the referee's edits.
    std::span<const std::string_view> (*names)() = nullptr;
    std::string_view shortName = {};
    bool referee = false;

    constexpr bool Read() const { return place || number || text || flag; }
    constexpr bool ByHand() const { return writtenByHand || !Read(); }
};

// Readers of a part's member.
template <auto Member, class Part>
std::optional<int> NumberOf(const Part& part)
{
    return part.*Member;
}

template <auto Census, class Part>
std::optional<int> CensusOf(const Part& part)
{
    return part.census ? std::optional<int>((*part.census).*Census) : std::nullopt;
}

template <class Part>
std::optional<int> MoonCountOf(const Part& part)
{
    return static_cast<int>(part.moons.size());
}

template <auto Member, auto Name, class Part>
FieldText NameOf(const Part& part)
{
    return Present(Name(part.*Member));
}

template <class Part>
FieldText SpecialOf(const Part& part)
{
    return Present(part.special);
}

// The names Name gives each of an enum's count values, from 0.
template <class Enum, int Count, auto Name>
std::span<const std::string_view> NamesOf()
{
    static const std::array<std::string_view, Count> names = [] {
        std::array<std::string_view, Count> all{};
        for (int value = 0; value < Count; ++value) {
            all[static_cast<std::size_t>(value)] = Name(static_cast<Enum>(value));
        }
        return all;
    }();
    return names;
}

}  // namespace nexmar::json_field
