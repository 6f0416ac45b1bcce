#pragma once

#include "gen/records.h"
#include "json/private/json_value.h"

namespace nexmar {

// The checks of one system of a document against what the tables can
// produce, fields together as well as each alone. Each returns the record
// the system describes, or throws a JsonReadError naming the first fault.
// With edits, the system and its objects may hold what a referee made of
// them (kSystemEdits, kObjectEdits), which ReadSystemEdits reads.
LowSystem ReadLowSystem(const JsonValue& system, int number, bool census, bool edits);
MediumSystem ReadMediumSystem(const JsonValue& system, int number, bool census, bool edits);
HighSystem ReadHighSystem(const JsonValue& system, int number, bool census, bool edits);

// The detail levels by name.
inline constexpr DetailLevel kDetailLevels[] = {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High};

}  // namespace nexmar
