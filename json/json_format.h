#pragma once

#include <string_view>

// The run document's format (docs/nexmar-run.schema.json): the name of every
// key, written once and shared by the JSON writer, the reader and the query
// language, which names its fields by them; a key renamed here renames them
// all. Which keys each object holds, when and in what order, and how each
// field is read from its record, is its table's under json/fields/.
namespace nexmar::json_field {

// The head of the document.
inline constexpr std::string_view kProgram = "program";
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kSeed = "seed";
inline constexpr std::string_view kDetail = "detail";
inline constexpr std::string_view kCensusOption = "census";
inline constexpr std::string_view kSystemsRolled = "systemsRolled";
// The map: its density (percent of hexes), jump range (hexes) and the
// routes drawn and rubbed out by hand, each a pair of system numbers.
inline constexpr std::string_view kDensity = "density";
inline constexpr std::string_view kJump = "jump";
inline constexpr std::string_view kRoutesAdded = "routesAdded";
inline constexpr std::string_view kRoutesRemoved = "routesRemoved";
// The house rules the run was rolled by, as a rules file gives them, and
// the SHA-256 of their compact JSON; neither when it used the game's tables.
inline constexpr std::string_view kRules = "rules";
inline constexpr std::string_view kRulesDigest = "rulesDigest";

// Arrays, from the run down to a moon.
inline constexpr std::string_view kSystems = "systems";
inline constexpr std::string_view kComponents = "components";
inline constexpr std::string_view kStars = "stars";
inline constexpr std::string_view kObjects = "objects";
inline constexpr std::string_view kMoons = "moons";

inline constexpr std::string_view kNumber = "number";
// What the referee made of a system or an object, and what the players may see.
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kNotes = "notes";
inline constexpr std::string_view kPlayerNotes = "playerNotes";
inline constexpr std::string_view kVisibility = "visibility";
inline constexpr std::string_view kHidden = "hidden";
inline constexpr std::string_view kLocked = "locked";
inline constexpr std::string_view kLetter = "letter";
// Where a system lies: its hex "CCRR" in its sector, the sector (from 1)
// only on a map of more than one; its subsector is the query's alone.
inline constexpr std::string_view kHex = "hex";
inline constexpr std::string_view kSector = "sector";
inline constexpr std::string_view kSubsector = "subsector";

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
