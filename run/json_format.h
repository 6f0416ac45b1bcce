#pragma once

// The names of the JSON document's fields, shared by its writer and its
// reader. Each object's fields are listed in the order the writer puts them;
// the census values, present only with the census option, follow "raw".

namespace nexmar::json_field {

inline constexpr const char* kProgram = "program";
inline constexpr const char* kVersion = "version";
inline constexpr const char* kFormat = "format";
inline constexpr const char* kSeed = "seed";
inline constexpr const char* kDetail = "detail";
inline constexpr const char* kCensusOption = "census";
inline constexpr const char* kSystems = "systems";
inline constexpr const char* kHead[] = {kProgram, kVersion, kFormat, kSeed, kDetail, kCensusOption, kSystems};

inline constexpr const char* kNumber = "number";
inline constexpr const char* kSize = "size";
inline constexpr const char* kImportance = "importance";
inline constexpr const char* kCapacity = "capacity";
inline constexpr const char* kRaw = "raw";
inline constexpr const char* kCensus = "census";
inline constexpr const char* kMorale = "morale";
inline constexpr const char* kProductivity = "productivity";
inline constexpr const char* kSpecial = "special";
inline constexpr const char* kCensusValues[] = {kCensus, kMorale, kProductivity};
inline constexpr const char* kLowSystem[] = {kNumber, kSize, kImportance, kCapacity, kRaw, kSpecial};

inline constexpr const char* kObjects = "objects";
inline constexpr const char* kZone = "zone";
inline constexpr const char* kType = "type";
inline constexpr const char* kValue = "value";
inline constexpr const char* kMoons = "moons";
inline constexpr const char* kMediumSystem[] = {kNumber, kObjects};
inline constexpr const char* kMediumObject[] = {kNumber, kZone, kType, kValue, kCapacity, kRaw, kSpecial, kMoons};

inline constexpr const char* kComponents = "components";
inline constexpr const char* kLetter = "letter";
inline constexpr const char* kStars = "stars";
inline constexpr const char* kColour = "colour";
inline constexpr const char* kSpectralClass = "spectralClass";
inline constexpr const char* kLuminosityClass = "luminosityClass";
inline constexpr const char* kDescription = "description";
inline constexpr const char* kSpecialRoll = "specialRoll";
inline constexpr const char* kGaiaWorld = "gaiaWorld";
inline constexpr const char* kHighSystem[] = {kNumber, kComponents};
inline constexpr const char* kComponent[] = {kLetter, kStars, kObjects};
inline constexpr const char* kStar[] = {kColour, kSize, kSpectralClass, kLuminosityClass, kDescription};
inline constexpr const char* kHighObject[] = {kNumber, kZone,        kType,    kSize,      kCapacity,
                                              kRaw,    kSpecialRoll, kSpecial, kGaiaWorld, kMoons};
inline constexpr const char* kHighMoon[] = {kNumber, kCapacity, kRaw};

}  // namespace nexmar::json_field
