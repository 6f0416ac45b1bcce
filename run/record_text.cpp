#include "run/record_text.h"

#include <charconv>
#include <iterator>

namespace nexmar {

std::string StarDescription(const Star& star)
{
    std::string text;
    AppendStarDescription(text, star);
    return text;
}

void AppendStarDescription(std::string& out, const Star& star)
{
    out.append(StarColourName(star.colour)).append(" ").append(StarSizeName(star.size));
    out.append(" (").append(SpectralLetter(star.colour)).append(LuminosityNumeral(star.size)).append(")");
}

std::string_view ValueText(std::optional<ValueClass> value)
{
    return value ? ValueClassName(*value) : "N/A";
}

std::string MediumMoonsText(const MediumObject& object)
{
    std::string text;
    AppendMediumMoonsText(text, object);
    return text;
}

void AppendMediumMoonsText(std::string& out, const MediumObject& object)
{
    char digits[24];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), object.moons.size()).ptr);
    const char* separator = ": ";
    for (const std::string_view moon : object.moons) {
        out.append(separator).append(moon);
        separator = "; ";
    }
}

}  // namespace nexmar
