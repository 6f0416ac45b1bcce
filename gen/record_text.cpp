#include "gen/record_text.h"

#include <charconv>
#include <iterator>

#include "core/format.h"

namespace nexmar {

std::string StarDescription(const Star& star)
{
    std::string text;
    AppendStarDescription(text, star);
    return text;
}

void AppendStarDescription(std::string& out, const Star& star)
{
    for (const std::string_view part : StarDescriptionParts(star)) {
        out.append(part);
    }
}

std::array<std::string_view, 7> StarDescriptionParts(const Star& star)
{
    return {StarColourName(star.colour), " ",  StarSizeName(star.size), " (", SpectralLetter(star.colour),
            LuminosityNumeral(star.size), ")"};
}

std::string_view ValueText(std::optional<ValueClass> value)
{
    return value ? ValueClassName(*value) : "N/A";
}

std::string MediumMoonsText(const MediumObject& object)
{
    std::string text;
    AppendMediumMoonsText(text, object.moons);
    return text;
}

void AppendMediumMoonsText(std::string& out, std::span<const std::string_view> moons)
{
    char digits[24];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), moons.size()).ptr);
    const char* separator = ": ";
    for (const std::string_view moon : moons) {
        out.append(separator).append(moon);
        separator = "; ";
    }
}

std::string SystemName(int systemNumber)
{
    return Format("System %d", systemNumber);
}

std::string StarItemName(char letter, int starNumber)
{
    return Format("Star %c%d", letter, starNumber);
}

std::string HighObjectNumber(int systemNumber, char letter, int objectIndex)
{
    return Format("%d%c.%d", systemNumber, letter, objectIndex + 1);
}

std::string MediumObjectNumber(int systemNumber, int slot)
{
    return Format("%d.%d", systemNumber, slot);
}

bool IsSpecial(std::string_view special)
{
    return !special.empty() && special != "No special" && special != "Special: None";
}

std::string StatText(std::string_view label, int value)
{
    return Format("%.*s: %d", static_cast<int>(label.size()), label.data(), value);
}

}  // namespace nexmar
