#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/seed.h"
#include "json/private/json_parser.h"

namespace nexmar {

// One value of a document and where it is, read only as the tables allow.
// Each reading either returns what the tables allow or throws a
// JsonReadError that names the value's place and line.
class JsonValue {
public:
    JsonValue(const JsonUnit& unit, std::uint32_t node) : unit_(unit), node_(node) {}

    [[noreturn]] void Expected(const std::string& expected) const;
    bool IsNull() const { return Kind() == JsonUnit::Node::Kind::Null; }
    bool IsString() const { return Kind() == JsonUnit::Node::Kind::String; }
    int Int(int lowest, int highest) const;
    // A seed: an integer from 0 to 2^64 - 1, as a number or as a string of
    // its decimal digits (no sign, no leading zero).
    nexmar::Seed Seed() const;
    bool Bool() const;
    std::string_view String() const;
    // One of texts, returned as the table's own text.
    std::string_view OneOf(std::span<const std::string_view> texts) const;
    std::string_view OneOf(std::initializer_list<std::string_view> texts) const
    {
        return OneOf(std::span<const std::string_view>(texts.begin(), texts.size()));
    }

    // The enumerator whose name is this value's text.
    template <class Enum, std::size_t N>
    Enum Named(const Enum (&values)[N], std::string_view (*name)(Enum)) const
    {
        if (Kind() == JsonUnit::Node::Kind::String) {
            const std::string_view text = unit_.Text(node_);
            for (const Enum value : values) {
                if (name(value) == text) {
                    return value;
                }
            }
        }
        // Not one of them: said as OneOf says it, each name once.
        std::string_view texts[N];
        std::size_t count = 0;
        for (const Enum value : values) {
            if (std::find(texts, texts + count, name(value)) == texts + count) {
                texts[count++] = name(value);
            }
        }
        const std::string_view text = OneOf(std::span<const std::string_view>(texts, count));
        return *std::find_if(std::begin(values), std::end(values), [&](Enum value) { return name(value) == text; });
    }

    // The elements of an array of lowest to highest elements.
    std::vector<JsonValue> Elements(std::size_t lowest, std::size_t highest, const char* what) const;
    // An element numbered from 1 in its array.
    void CheckNumber(int number) const;
    // The member key, which Fields has found present.
    JsonValue At(std::string_view key) const;
    // An object with exactly the keys of required, and any of optional
    // (json/private/field_keys.h gives both from an object's tables).
    void Fields(std::span<const std::string_view> required, std::span<const std::string_view> optional = {}) const;
    bool Has(std::string_view key) const { return unit_.Find(node_, key) != JsonUnit::kNone; }
    // The value's line, for a fault found once it is gone.
    std::uint32_t Line() const { return unit_.at(node_).line; }

private:
    JsonUnit::Node::Kind Kind() const { return unit_.at(node_).kind; }

    const JsonUnit& unit_;
    std::uint32_t node_;
};

}  // namespace nexmar
