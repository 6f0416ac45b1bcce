#include "json/private/json_value.h"

#include "core/decimal.h"
#include "json/json_format.h"

namespace nexmar {

namespace {

// The most fields of any object of the document, census values and edits included.
constexpr std::size_t kMaxFields = 20;

[[noreturn]] void Fail(const std::string& pointer, std::uint32_t line, const std::string& what)
{
    throw JsonErrorAt(pointer, line, what);
}

}  // namespace

void JsonValue::Expected(const std::string& expected) const
{
    Fail(unit_.Pointer(node_), unit_.at(node_).line, "expected " + expected + ", found " + unit_.Shown(node_));
}

int JsonValue::Int(int lowest, int highest) const
{
    const JsonUnit::Node& node = unit_.at(node_);
    // Every table's values lie well inside 32 bits.
    const bool isInt =
        Kind() == JsonUnit::Node::Kind::Number && node.integer && !node.huge && node.magnitude <= INT32_MAX;
    const std::int64_t value = node.negative ? -static_cast<std::int64_t>(node.magnitude)
                                             : static_cast<std::int64_t>(node.magnitude);
    if (!isInt || value < lowest || value > highest) {
        // Said only on a fault: a million systems read many numbers each.
        Expected(lowest == highest ? std::to_string(lowest)
                                   : "an integer from " + std::to_string(lowest) + " to " + std::to_string(highest));
    }
    return static_cast<int>(value);
}

nexmar::Seed JsonValue::Seed() const
{
    const JsonUnit::Node& node = unit_.at(node_);
    if (Kind() == JsonUnit::Node::Kind::Number && node.integer && !node.negative && !node.huge) {
        return node.magnitude;
    }
    if (Kind() == JsonUnit::Node::Kind::String) {
        const std::string_view digits = unit_.Text(node_);
        std::uint64_t value = 0;
        const bool canonical = !digits.empty() && (digits.size() == 1 || digits.front() != '0') &&
                               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (canonical && ParseDecimal(digits, 0, UINT64_MAX, value) == DecimalParse::Ok) {
            return value;
        }
    }
    Expected("a seed: an integer from 0 to 18446744073709551615, as a number or a string of its digits");
}

bool JsonValue::Bool() const
{
    if (Kind() != JsonUnit::Node::Kind::True && Kind() != JsonUnit::Node::Kind::False) {
        Expected("true or false");
    }
    return Kind() == JsonUnit::Node::Kind::True;
}

std::string_view JsonValue::String() const
{
    if (Kind() != JsonUnit::Node::Kind::String) {
        Expected("a string");
    }
    return unit_.Text(node_);
}

std::string_view JsonValue::OneOf(std::span<const std::string_view> texts) const
{
    if (Kind() == JsonUnit::Node::Kind::String) {
        const auto found = std::find(texts.begin(), texts.end(), unit_.Text(node_));
        if (found != texts.end()) {
            return *found;
        }
    }
    std::string expected = texts.size() == 1 ? "" : "one of ";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        expected += (i == 0 ? "" : ", ") + JsonQuoted(texts[i]);
    }
    Expected(expected);
}

std::vector<JsonValue> JsonValue::Elements(std::size_t lowest, std::size_t highest, const char* what) const
{
    const std::size_t count = unit_.at(node_).count;
    if (Kind() != JsonUnit::Node::Kind::Array || count < lowest || count > highest) {
        Expected(lowest == highest ? "an array of " + std::to_string(lowest) + " " + what
                                   : "an array of " + std::to_string(lowest) + " to " + std::to_string(highest) + " " +
                                         what);
    }
    std::vector<JsonValue> elements;
    for (std::uint32_t child = unit_.at(node_).first; child != JsonUnit::kNone; child = unit_.at(child).next) {
        elements.emplace_back(unit_, child);
    }
    return elements;
}

void JsonValue::CheckNumber(int number) const
{
    At(json_field::kNumber).Int(number, number);
}

JsonValue JsonValue::At(std::string_view key) const
{
    return JsonValue(unit_, unit_.Find(node_, key));
}

void JsonValue::Fields(std::span<const std::string_view> required, std::span<const std::string_view> optional) const
{
    if (Kind() != JsonUnit::Node::Kind::Object) {
        Expected("an object");
    }
    std::string_view all[kMaxFields];
    std::size_t count = 0;
    for (const std::string_view key : required) {
        all[count++] = key;
    }
    const std::size_t requiredCount = count;
    for (const std::string_view key : optional) {
        all[count++] = key;
    }
    // One walk over the members marks the fields present and finds the
    // first stranger; a missing field is reported before it.
    bool present[kMaxFields] = {};
    std::uint32_t stranger = JsonUnit::kNone;
    for (std::uint32_t member = unit_.at(node_).first; member != JsonUnit::kNone; member = unit_.at(member).next) {
        const std::string_view key = unit_.Key(member);
        const auto field = std::find_if(all, all + count, [&key](std::string_view name) { return SameKey(key, name); });
        if (field != all + count) {
            present[field - all] = true;
        } else if (stranger == JsonUnit::kNone) {
            stranger = member;
        }
    }
    count = requiredCount;
    for (std::size_t i = 0; i < count; ++i) {
        if (!present[i]) {
            Fail(unit_.Pointer(node_) + "/" + std::string(all[i]), unit_.at(node_).line,
                 "missing; expected this field in every such object");
        }
    }
    if (stranger != JsonUnit::kNone) {
        std::string expected;
        for (std::size_t i = 0; i < requiredCount + optional.size(); ++i) {
            expected += (expected.empty() ? "" : ", ") + std::string(all[i]);
        }
        Fail(unit_.Pointer(stranger), unit_.at(stranger).line, "unexpected field; expected only " + expected);
    }
}

}  // namespace nexmar
