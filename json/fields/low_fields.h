#pragma once

#include "gen/records.h"
#include "json/fields/field_row.h"
#include "json/json_format.h"

// A Low system's fields after its head (document_fields.h), in the writer's
// order; its check and its writer are in low_fields.cpp.
namespace nexmar::json_field {

inline constexpr Row<LowSystem> kLowSystemRows[] = {
    {.key = kSize,
     .text = NameOf<&LowSystem::sizeClass, LowSizeClassName>,
     .names = NamesOf<LowSizeClass, 5, LowSizeClassName>},
    {.key = kImportance,
     .text = NameOf<&LowSystem::importance, ImportanceName>,
     .names = NamesOf<Importance, 3, ImportanceName>},
    {.key = kCapacity, .number = NumberOf<&LowSystem::capacity>},
    {.key = kRaw, .number = NumberOf<&LowSystem::raw>},
    {.key = kCensus, .when = When::Census, .number = CensusOf<&CensusValues::census>},
    {.key = kMorale, .when = When::Census, .number = CensusOf<&CensusValues::morale>},
    {.key = kProductivity, .when = When::Census, .number = CensusOf<&CensusValues::productivity>},
    {.key = kSpecial, .text = SpecialOf},
};

}  // namespace nexmar::json_field
