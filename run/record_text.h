#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gen/records.h"

namespace nexmar {

// Texts the tree and the reports both show for a record.

// "Extremely Hot Blue Supergiant (OI)".
std::string StarDescription(const Star& star);
void AppendStarDescription(std::string& out, const Star& star);

// A value class, or "N/A" for an object without one.
std::string_view ValueText(std::optional<ValueClass> value);

// The moon count and each moon's result: "2: Accessible; Near ideal", or "0".
std::string MediumMoonsText(const MediumObject& object);
void AppendMediumMoonsText(std::string& out, const MediumObject& object);

}  // namespace nexmar
