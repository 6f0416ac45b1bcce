#include <optional>

#include "gen/medium/medium_object.h"
#include "gen/medium/medium_rows.h"

namespace nexmar {

using namespace medium;

namespace {

// Whether the row's value rule gives that value class: a class its column
// of the value table holds, or none for the rules that roll no class.
bool ValueReachable(ValueRule rule, std::optional<ValueClass> value)
{
    if (rule == ValueRule::None || rule == ValueRule::Belt) {
        return !value;
    }
    if (!value) {
        return false;
    }
    for (int roll = kLowestValueRoll; roll <= kHighestValueRoll; ++roll) {
        if (ValueFor(roll, rule) == *value) {
            return true;
        }
    }
    return false;
}

// The special's row when the rule's special dice reach it.
const SpecialRow* ReachableSpecial(ValueRule rule, std::string_view text)
{
    if (text == kNoSpecial.text) {
        // Every rule that rolls has totals no row takes.
        return &kNoSpecial;
    }
    if (SpecialModifier(rule) == 0) {
        return nullptr;
    }
    for (int twoD6 = 2; twoD6 <= 12; ++twoD6) {
        const SpecialRow& row = SpecialFor(twoD6, rule);
        if (row.text == text) {
            return &row;
        }
    }
    return nullptr;
}

// Whether the type's moon die gives that many moons.
bool MoonCountReachable(const TypeRow& type, int moons)
{
    return moons >= FewestMoons(type) && moons <= MostMoons(type);
}

}  // namespace

std::optional<MediumObjectValues> MediumObjectValuesOf(const MediumObject& object)
{
    for (const TypeRow& type : TypesOf(object.zone)) {
        const SpecialRow* special = ReachableSpecial(type.rule, object.special);
        if (type.type != object.type || !MoonCountReachable(type, static_cast<int>(object.moons.size())) ||
            !ValueReachable(type.rule, object.value) || !special) {
            continue;
        }
        const ValueRow& value = ValueRowOf(object.value.value_or(ValueClass::None));
        int capacity = value.capacity + special->capacity;
        int raw = value.raw + special->raw;
        for (const std::string_view text : object.moons) {
            const MoonRow* moon = MoonNamed(text);
            if (moon == nullptr) {
                return std::nullopt;
            }
            capacity += moon->capacity;
            raw += moon->raw;
        }
        // As GenerateMediumObject: a belt's RAW die gives 0 or 1, either way 1.
        return MediumObjectValues{AtLeastOne(capacity), AtLeastOne(raw)};
    }
    return std::nullopt;
}

std::vector<std::string_view> MediumSpecialTexts()
{
    std::vector<std::string_view> texts{kNoSpecial.text};
    for (const SpecialRow& row : kSpecialTable) {
        texts.emplace_back(row.text);
    }
    return texts;
}

std::vector<std::string_view> MediumMoonTexts()
{
    std::vector<std::string_view> texts;
    for (const MoonRow& row : kMoonTable) {
        texts.emplace_back(row.text);
    }
    return texts;
}

}  // namespace nexmar
