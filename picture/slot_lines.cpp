#include "picture/slot_lines.h"

#include "gen/record_text.h"
#include "picture/picture_style.h"
#include "picture/svg_picture.h"

namespace nexmar {

std::string StatLine(std::string_view label, int value, bool hidden)
{
    return hidden ? std::string(label) + ": ?" : StatText(label, value);
}

void AddCensusLines(std::vector<SlotLine>& lines, const std::optional<CensusValues>& census, bool hidden)
{
    if (census) {
        lines.push_back(StatLine("Census", census->census, hidden));
        lines.push_back(StatLine("Morale", census->morale, hidden));
        lines.push_back(StatLine("Productivity", census->productivity, hidden));
    }
}

void AddSpecialLines(std::vector<SlotLine>& lines, std::string_view special, bool hidden)
{
    constexpr std::string_view kLabel = "Special: ";
    if (hidden) {
        lines.emplace_back("Special: ?");
        return;
    }
    if (special.starts_with(kLabel)) {
        special.remove_prefix(kLabel.size());
    }
    if (special.empty() || special == "None") {
        return;
    }
    std::string_view rest = special.substr(0, special.find(" ("));
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        lines.emplace_back(Abbreviated(rest.substr(0, slash), kPictureStyle.specialGlyphs), std::string(special));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
}

void AddHighMoonLines(std::vector<SlotLine>& lines, const std::vector<HighMoon>& moons)
{
    std::string full = "Moons, Capacity/Raw:";
    for (const HighMoon& moon : moons) {
        full.append(" ").append(std::to_string(moon.capacity)).append("/").append(std::to_string(moon.raw));
    }
    std::string line = "Moons";
    for (std::size_t i = 0; i < moons.size(); ++i) {
        if (i > 0 && i % kPictureStyle.moonsPerColumn == 0) {
            lines.emplace_back(std::move(line), full);
            line.clear();
        }
        line.append(line.empty() ? "" : " ")
            .append(std::to_string(moons[i].capacity))
            .append("/")
            .append(std::to_string(moons[i].raw));
    }
    if (!moons.empty()) {
        lines.emplace_back(std::move(line), full);
    }
}

void AddMediumMoonLines(std::vector<SlotLine>& lines, const std::vector<std::string_view>& moons)
{
    for (const std::string_view moon : moons) {
        const std::string text = "Moon: " + std::string(moon);
        const std::string shown = Abbreviated(text, kPictureStyle.specialGlyphs);
        lines.emplace_back(shown, shown == text ? std::string() : text);
    }
}

}  // namespace nexmar
