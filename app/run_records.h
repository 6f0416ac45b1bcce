#pragma once

#include <functional>
#include <string_view>
#include <variant>

#include "gen/records.h"

namespace nexmar {

// One system's record as the run's JSON document holds it.
using SystemRecord = std::variant<const LowSystem*, const MediumSystem*, const HighSystem*>;

// Hands each system of the document to visit, in order: its place among the
// document's systems (from 0, its row in the tree), its number in the run and
// its record, which lives only during the call. visit returns false to stop.
// The session keeps no records beside its tree and its document: they are
// read back from the document, in the memory of one system.
void ForEachSystemRecord(std::string_view json,
                         const std::function<bool(int place, int number, const SystemRecord& record)>& visit);

}  // namespace nexmar
