#pragma once

#include <string_view>

// The key names of the run document (docs/nexmar-run.schema.json), each
// written once. The query language names its fields by them, so a key renamed
// here renames the field that reads it. The names and namespace are those of
// the format module the JSON writer and reader share, which takes its place.
namespace nexmar::json_field {

// Arrays, from the run down to a moon.
inline constexpr std::string_view kSystems = "systems";
inline constexpr std::string_view kComponents = "components";
inline constexpr std::string_view kStars = "stars";
inline constexpr std::string_view kObjects = "objects";
inline constexpr std::string_view kMoons = "moons";

inline constexpr std::string_view kNumber = "number";
inline constexpr std::string_view kLetter = "letter";

// A Low system; a Medium or High object.
inline constexpr std::string_view kSize = "size";
inline constexpr std::string_view kImportance = "importance";
inline constexpr std::string_view kZone = "zone";
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kCapacity = "capacity";
inline constexpr std::string_view kRaw = "raw";
inline constexpr std::string_view kCensus = "census";
inline constexpr std::string_view kMorale = "morale";
inline constexpr std::string_view kProductivity = "productivity";
inline constexpr std::string_view kSpecialRoll = "specialRoll";
inline constexpr std::string_view kSpecial = "special";
inline constexpr std::string_view kGaiaWorld = "gaiaWorld";

// A star.
inline constexpr std::string_view kColour = "colour";
inline constexpr std::string_view kSpectralClass = "spectralClass";
inline constexpr std::string_view kLuminosityClass = "luminosityClass";
inline constexpr std::string_view kDescription = "description";

}  // namespace nexmar::json_field
