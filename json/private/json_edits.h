#pragma once

#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "json/private/json_value.h"

namespace nexmar {

// What a referee made of a system of a document, each text checked as a
// name or a note; throws a JsonReadError naming the first fault. The
// system's own fields are checked before, by its level's check.
SystemEdits ReadSystemEdits(const JsonValue& system, DetailLevel level);

// A system that says it was rolled again alone must be the system its seed
// rolls, so that what the document shows can be rolled again.
void CheckRolledFromSeed(const JsonValue& system, int number, bool census, const LowSystem& record);
void CheckRolledFromSeed(const JsonValue& system, bool census, const MediumSystem& record);
void CheckRolledFromSeed(const JsonValue& system, bool census, const HighSystem& record);

}  // namespace nexmar
