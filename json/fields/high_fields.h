#pragma once

#include "gen/record_text.h"
#include "gen/records.h"
#include "json/fields/field_row.h"
#include "json/json_format.h"

// A High system's fields after its head (document_fields.h), and those of
// its components, stars, objects and moons, in the writer's order; their
// checks and their writer are in high_fields.cpp.
namespace nexmar::json_field {

inline constexpr Row<HighSystem> kHighSystemRows[] = {
    {.key = kComponents},
};

inline constexpr Row<StarComponent> kComponentRows[] = {
    {.key = kLetter,
     .text = [](const StarComponent& component) { return Present(std::string_view(&component.letter, 1)); }},
    {.key = kStars},
    {.key = kObjects},
};

inline constexpr Row<Star> kStarRows[] = {
    {.key = kColour, .text = NameOf<&Star::colour, StarColourName>, .names = NamesOf<StarColour, 7, StarColourName>},
    {.key = kSize, .text = NameOf<&Star::size, StarSizeName>, .names = NamesOf<StarSize, 5, StarSizeName>},
    {.key = kSpectralClass,
     .text = NameOf<&Star::colour, SpectralLetter>,
     .names = NamesOf<StarColour, 7, SpectralLetter>},
    {.key = kLuminosityClass,
     .text = NameOf<&Star::size, LuminosityNumeral>,
     .names = NamesOf<StarSize, 5, LuminosityNumeral>},
    {.key = kDescription,
     .text = [](const Star& star) {
         return FieldText{.pieces = StarDescriptionParts(star), .count = 7, .present = true};
     }},
};

// An object's notes come last.
inline constexpr Row<HighObject> kHighObjectRows[] = {
    {.key = kNumber, .place = true},
    {.key = kZone, .text = NameOf<&HighObject::zone, OrbitZoneName>, .names = NamesOf<OrbitZone, 3, OrbitZoneName>},
    {.key = kType,
     .text = NameOf<&HighObject::type, HighObjectTypeName>,
     .names = NamesOf<HighObjectType, 5, HighObjectTypeName>},
    {.key = kSize,
     .text = NameOf<&HighObject::size, HighObjectSizeName>,
     .names = NamesOf<HighObjectSize, 7, HighObjectSizeName>},
    {.key = kCapacity, .number = NumberOf<&HighObject::capacity>},
    {.key = kRaw, .number = NumberOf<&HighObject::raw>},
    {.key = kCensus, .when = When::Census, .number = CensusOf<&CensusValues::census>},
    {.key = kMorale, .when = When::Census, .number = CensusOf<&CensusValues::morale>},
    {.key = kProductivity, .when = When::Census, .number = CensusOf<&CensusValues::productivity>},
    {.key = kSpecialRoll, .number = NumberOf<&HighObject::specialRoll>},
    {.key = kSpecial, .text = SpecialOf},
    {.key = kGaiaWorld, .flag = [](const HighObject& object) { return object.gaiaWorld; }, .shortName = "gaia"},
    {.key = kMoons, .number = MoonCountOf, .writtenByHand = true},
    {.key = kNotes, .when = When::Edited},
    {.key = kPlayerNotes, .when = When::Edited},
};

inline constexpr Row<HighMoon> kHighMoonRows[] = {
    {.key = kNumber, .place = true},
    {.key = kCapacity, .number = NumberOf<&HighMoon::capacity>},
    {.key = kRaw, .number = NumberOf<&HighMoon::raw>},
};

}  // namespace nexmar::json_field
