#include "json/fields/low_fields.h"

#include "gen/low/low_system.h"
#include "json/fields/document_fields.h"
#include "json/private/field_keys.h"
#include "json/private/field_writer.h"
#include "json/private/json_checks.h"

// The writer and the reader of a Low system, side by side.
namespace nexmar {

using namespace json_field;
using Value = JsonValue;

ordered_json SystemJson(int number, const LowSystem& system, const SectorEdits& edits, const SystemHead& place)
{
    ordered_json json = SystemHeadJson(number, edits, edits.Find(number), place);
    WriteRows(json, kLowSystemRows, system);
    return json;
}

namespace {

constexpr LowSizeClass kLowSizeClasses[] = {LowSizeClass::MinorOutpost, LowSizeClass::Outpost,
                                            LowSizeClass::MinorColony, LowSizeClass::Colony,
                                            LowSizeClass::MajorColony};

}  // namespace

LowSystem ReadLowSystem(const Value& system, int number, bool census, int format, const HouseRules* rules)
{
    static const std::vector<std::string_view> specials = LowSpecialTexts();
    const FieldKeys& keys = FieldKeys::Of<kSystemHeadRows, kLowSystemRows>(census, format);
    system.Fields(keys.Required(), keys.Optional());
    system.CheckNumber(number);
    const Value size = system.At(kSize);
    const LowSizeClass sizeClass = size.Named(kLowSizeClasses, LowSizeClassName);
    if (number == 1 && sizeClass != LowSizeClass::MajorColony) {
        size.Expected(JsonQuoted(LowSizeClassName(LowSizeClass::MajorColony)) + ", as every run's first system is");
    }
    if (number > 1 && !LowSizeClassRolled(sizeClass, rules)) {
        size.Expected("a size class the importance table of the document's rules gives");
    }
    // The size class's row gives the importance, and with the special all
    // the values; only the specials its dice reach are allowed.
    const Value special = system.At(kSpecial);
    std::optional<LowSystem> made = LowSystemOf(sizeClass, special.OneOf(specials), census, rules);
    if (!made) {
        std::vector<std::string_view> reachable;
        for (const std::string_view text : specials) {
            if (LowSystemOf(sizeClass, text, census, rules)) {
                reachable.push_back(text);
            }
        }
        special.OneOf(reachable);
    }
    system.At(kImportance).OneOf({ImportanceName(made->importance)});
    system.At(kCapacity).Int(made->capacity, made->capacity);
    system.At(kRaw).Int(made->raw, made->raw);
    if (census) {
        CheckCensus(system, *made->census);
    }
    return *made;
}

}  // namespace nexmar
