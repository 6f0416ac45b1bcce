#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "gen/records.h"

namespace nexmar {

// The forms a report row's cells after its label take: everything those
// cells, and the colour of the frame around them, depend on. The report
// writer puts the cells of each form together once and keeps them by form.

// A text's hash from its length and three of its eight-byte words: the
// first, the middle and the last. Rows look their forms up by texts from
// tables, a few dozen bytes long, many times a row: hashing every byte of
// each took as long as the rest of the row. Texts alike in all three are
// still told apart by the map's comparison.
inline std::size_t TextHash(std::string_view text)
{
    const std::size_t size = text.size();
    if (size < 8) {
        return std::hash<std::string_view>()(text);
    }
    std::uint64_t words[3];
    std::memcpy(&words[0], text.data(), 8);
    std::memcpy(&words[1], text.data() + size / 2 - 4, 8);
    std::memcpy(&words[2], text.data() + size - 8, 8);
    std::uint64_t hash = size;
    for (const std::uint64_t word : words) {
        hash = (hash ^ word) * 0x9e3779b97f4a7c15u;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash);
}

// A form's hash: its special text, its census values (-1 without) and its other fields.
inline std::size_t FormHash(std::string_view special, const std::optional<CensusValues>& census,
                            std::initializer_list<int> fields)
{
    std::size_t hash = TextHash(special);
    const CensusValues values = census.value_or(CensusValues{-1, -1, -1});
    for (const int field : fields) {
        hash = hash * 31 + static_cast<std::size_t>(field);
    }
    for (const int field : {values.census, values.morale, values.productivity}) {
        hash = hash * 31 + static_cast<std::size_t>(field);
    }
    return hash;
}

// A Low row's cells after the system's number depend on its record alone.
struct LowFormHash {
    std::size_t operator()(const LowSystem& system) const
    {
        return FormHash(system.special, system.census,
                        {static_cast<int>(system.sizeClass), static_cast<int>(system.importance), system.capacity,
                         system.raw});
    }
};

// A Medium object's cells after its label, in its zone's colour.
struct MediumForm {
    OrbitZone zone;
    MediumObjectType type;
    std::optional<ValueClass> value;
    int capacity;
    std::optional<CensusValues> census;
    int raw;
    std::string_view special;
    std::span<const std::string_view> moons;
    bool operator==(const MediumForm& other) const
    {
        return zone == other.zone && type == other.type && value == other.value && capacity == other.capacity &&
               census == other.census && raw == other.raw && special == other.special &&
               std::ranges::equal(moons, other.moons);
    }
};

struct MediumFormHash {
    std::size_t operator()(const MediumForm& form) const
    {
        std::size_t hash = FormHash(form.special, form.census,
                                    {static_cast<int>(form.zone), static_cast<int>(form.type),
                                     form.value ? static_cast<int>(*form.value) : -1, form.capacity, form.raw});
        for (const std::string_view moon : form.moons) {
            hash = hash * 31 + TextHash(moon);
        }
        return hash;
    }
};

// A High object's cells after its label, in its zone's colour.
struct HighForm {
    OrbitZone zone;
    HighObjectType type;
    int capacity;
    std::optional<CensusValues> census;
    int raw;
    std::string_view special;
    bool operator==(const HighForm&) const = default;
};

struct HighFormHash {
    std::size_t operator()(const HighForm& form) const
    {
        return FormHash(form.special, form.census,
                        {static_cast<int>(form.zone), static_cast<int>(form.type), form.capacity, form.raw});
    }
};

// A moon's cells after its label, in its object's zone's colour.
struct MoonForm {
    OrbitZone zone;
    int capacity;
    int raw;
    bool operator==(const MoonForm&) const = default;
};

struct MoonFormHash {
    std::size_t operator()(const MoonForm& form) const
    {
        return (static_cast<std::size_t>(form.zone) * 31 + static_cast<std::size_t>(form.capacity)) * 31 +
               static_cast<std::size_t>(form.raw);
    }
};

}  // namespace nexmar
