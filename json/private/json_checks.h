#pragma once

#include <optional>

#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "gen/rules/house_rules.h"
#include "json/private/json_value.h"

namespace nexmar {

// The checks of one system of a document against what the tables can
// produce, fields together as well as each alone. Each returns the record
// the system describes, or throws a JsonReadError naming the first fault.
// From format 2 on, the system and its objects may hold what a referee made
// of them (the fields json/fields/ mark When::Edited), which ReadSystemEdits
// reads; from format 3 on, the system its place (When::Mapped).
// A Low system is checked against the house rules it was rolled by, if any.
LowSystem ReadLowSystem(const JsonValue& system, int number, bool census, int format,
                        const HouseRules* rules = nullptr);
MediumSystem ReadMediumSystem(const JsonValue& system, int number, bool census, int format);
HighSystem ReadHighSystem(const JsonValue& system, int number, bool census, int format);

// What a referee made of a system of a document, each text checked as a
// name or a note; throws a JsonReadError naming the first fault. The
// system's own fields are checked before, by its level's check.
SystemEdits ReadSystemEdits(const JsonValue& system, DetailLevel level);

// A system that says it was rolled again alone must be the system its seed
// rolls, so that what the document shows can be rolled again.
void CheckRolledFromSeed(const JsonValue& system, int number, bool census, const LowSystem& record,
                         const HouseRules* rules = nullptr);
void CheckRolledFromSeed(const JsonValue& system, bool census, const MediumSystem& record);
void CheckRolledFromSeed(const JsonValue& system, bool census, const HighSystem& record);

// Checks shared by the levels: the census values the tables give an
// object; an object's zone, which never comes before the zone of the
// object above it.
void CheckCensus(const JsonValue& object, const CensusValues& expected);
OrbitZone ReadZone(const JsonValue& object, std::optional<OrbitZone> previousZone);

// The detail levels by name.
inline constexpr DetailLevel kDetailLevels[] = {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High};

}  // namespace nexmar
