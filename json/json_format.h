#pragma once

#include <string_view>

// The run document's format (docs/nexmar-run.schema.json): the name of every
// key, written once and shared by the JSON writer, the reader and the query
// language, which names its fields by them; a key renamed here renames them
// all. Each object's fields are listed in the order the writer puts them;
// the census values, present only with the census option, follow "raw".
namespace nexmar::json_field {

// The head of the document.
inline constexpr std::string_view kProgram = "program";
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kSeed = "seed";
inline constexpr std::string_view kDetail = "detail";
inline constexpr std::string_view kCensusOption = "census";
// Only in the document of a run that a query filtered, after "census": how
// many systems the run rolled. The document keeps those the query matched,
// each under its number in the run.
inline constexpr std::string_view kSystemsRolled = "systemsRolled";

// Arrays, from the run down to a moon.
inline constexpr std::string_view kSystems = "systems";
inline constexpr std::string_view kComponents = "components";
inline constexpr std::string_view kStars = "stars";
inline constexpr std::string_view kObjects = "objects";
inline constexpr std::string_view kMoons = "moons";

inline constexpr std::string_view kNumber = "number";
// What the referee made of a system: its name (every system of a document
// has one), its notes and, for a system rolled again alone, the seed of its
// dice ("seed" as in the head); an object's notes. What the players may
// see: notes written for them, the system's visibility where it is not
// "Known", and the fields kept from them where the referee chose them (by
// their keys, "capacity" for every Capacity of the system).
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kNotes = "notes";
inline constexpr std::string_view kPlayerNotes = "playerNotes";
inline constexpr std::string_view kVisibility = "visibility";
inline constexpr std::string_view kHidden = "hidden";
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

// The fields of each object, in the writer's order.
inline constexpr std::string_view kHead[] = {kProgram, kVersion, kFormat, kSeed, kDetail, kCensusOption, kSystems};
inline constexpr std::string_view kCensusValues[] = {kCensus, kMorale, kProductivity};
inline constexpr std::string_view kLowSystem[] = {kNumber, kSize, kImportance, kCapacity, kRaw, kSpecial};
inline constexpr std::string_view kMediumSystem[] = {kNumber, kObjects};
inline constexpr std::string_view kMediumObject[] = {kNumber, kZone, kType, kValue, kCapacity, kRaw, kSpecial, kMoons};
inline constexpr std::string_view kHighSystem[] = {kNumber, kComponents};
inline constexpr std::string_view kComponent[] = {kLetter, kStars, kObjects};
inline constexpr std::string_view kStar[] = {kColour, kSize, kSpectralClass, kLuminosityClass, kDescription};
inline constexpr std::string_view kHighObject[] = {kNumber, kZone,        kType,    kSize,      kCapacity,
                                                   kRaw,    kSpecialRoll, kSpecial, kGaiaWorld, kMoons};
inline constexpr std::string_view kHighMoon[] = {kNumber, kCapacity, kRaw};
// After "number" in every system of a document of format 2 on ("name"
// always, the others where there are any); an object's notes come last.
inline constexpr std::string_view kSystemEdits[] = {kName, kSeed, kNotes, kPlayerNotes, kVisibility, kHidden};
inline constexpr std::string_view kObjectEdits[] = {kNotes, kPlayerNotes};

}  // namespace nexmar::json_field
