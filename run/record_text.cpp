#include "run/record_text.h"

namespace nexmar {

std::string StarDescription(const Star& star)
{
    std::string text(StarColourName(star.colour));
    text.append(" ").append(StarSizeName(star.size));
    text.append(" (").append(SpectralLetter(star.colour)).append(LuminosityNumeral(star.size)).append(")");
    return text;
}

std::string_view ValueText(std::optional<ValueClass> value)
{
    return value ? ValueClassName(*value) : "N/A";
}

std::string MediumMoonsText(const MediumObject& object)
{
    std::string text = std::to_string(object.moons.size());
    const char* separator = ": ";
    for (const std::string_view moon : object.moons) {
        text.append(separator).append(moon);
        separator = "; ";
    }
    return text;
}

}  // namespace nexmar
