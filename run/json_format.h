#pragma once

#include <string_view>

// The names of the JSON document's fields, shared by its writer and its
// reader. Each object's fields are listed in the order the writer puts them;
// the census values, present only with the census option, follow "raw".

namespace nexmar::json_field {

inline constexpr std::string_view kProgram = "program";
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kSeed = "seed";
inline constexpr std::string_view kDetail = "detail";
inline constexpr std::string_view kCensusOption = "census";
inline constexpr std::string_view kSystems = "systems";
inline constexpr std::string_view kHead[] = {kProgram, kVersion, kFormat, kSeed, kDetail, kCensusOption, kSystems};

inline constexpr std::string_view kNumber = "number";
inline constexpr std::string_view kSize = "size";
inline constexpr std::string_view kImportance = "importance";
inline constexpr std::string_view kCapacity = "capacity";
inline constexpr std::string_view kRaw = "raw";
inline constexpr std::string_view kCensus = "census";
inline constexpr std::string_view kMorale = "morale";
inline constexpr std::string_view kProductivity = "productivity";
inline constexpr std::string_view kSpecial = "special";
inline constexpr std::string_view kCensusValues[] = {kCensus, kMorale, kProductivity};
inline constexpr std::string_view kLowSystem[] = {kNumber, kSize, kImportance, kCapacity, kRaw, kSpecial};

inline constexpr std::string_view kObjects = "objects";
inline constexpr std::string_view kZone = "zone";
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kMoons = "moons";
inline constexpr std::string_view kMediumSystem[] = {kNumber, kObjects};
inline constexpr std::string_view kMediumObject[] = {kNumber, kZone, kType, kValue, kCapacity, kRaw, kSpecial, kMoons};

inline constexpr std::string_view kComponents = "components";
inline constexpr std::string_view kLetter = "letter";
inline constexpr std::string_view kStars = "stars";
inline constexpr std::string_view kColour = "colour";
inline constexpr std::string_view kSpectralClass = "spectralClass";
inline constexpr std::string_view kLuminosityClass = "luminosityClass";
inline constexpr std::string_view kDescription = "description";
inline constexpr std::string_view kSpecialRoll = "specialRoll";
inline constexpr std::string_view kGaiaWorld = "gaiaWorld";
inline constexpr std::string_view kHighSystem[] = {kNumber, kComponents};
inline constexpr std::string_view kComponent[] = {kLetter, kStars, kObjects};
inline constexpr std::string_view kStar[] = {kColour, kSize, kSpectralClass, kLuminosityClass, kDescription};
inline constexpr std::string_view kHighObject[] = {kNumber, kZone,        kType,    kSize,      kCapacity,
                                              kRaw,    kSpecialRoll, kSpecial, kGaiaWorld, kMoons};
inline constexpr std::string_view kHighMoon[] = {kNumber, kCapacity, kRaw};

}  // namespace nexmar::json_field
