#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gen/records.h"

namespace nexmar {

// Texts the tree and the reports both show for a record.

// "Extremely Hot Blue Supergiant (OI)".
std::string StarDescription(const Star& star);
void AppendStarDescription(std::string& out, const Star& star);
// The same text in pieces, joined as they stand: "Extremely Hot Blue", " ",
// "Supergiant", " (", "O", "I", ")". Read without building the text.
std::array<std::string_view, 7> StarDescriptionParts(const Star& star);

// A value class, or "N/A" for an object without one.
std::string_view ValueText(std::optional<ValueClass> value);

// The moon count and each moon's result: "2: Accessible; Near ideal", or "0".
std::string MediumMoonsText(const MediumObject& object);
void AppendMediumMoonsText(std::string& out, std::span<const std::string_view> moons);

// The names the tree gives a system and its bodies, for texts beside it:
// "System 12", "Star A1", and an object's number "12A.1" at High detail
// (objectIndex from 0) or "12.3" at Medium detail (slot from 1).
std::string SystemName(int systemNumber);
std::string StarItemName(char letter, int starNumber);
std::string HighObjectNumber(int systemNumber, char letter, int objectIndex);
std::string MediumObjectNumber(int systemNumber, int slot);

// Whether a special result is one: "No special" and "Special: None" (and
// an object that rolls none) are not.
bool IsSpecial(std::string_view special);

// What a Gaia World's special names it, to mark one beside its object.
inline constexpr std::string_view kGaiaWorldMark = "Gaia World";

// A stat line as the tree shows it: "Capacity: 4".
std::string StatText(std::string_view label, int value);

}  // namespace nexmar
