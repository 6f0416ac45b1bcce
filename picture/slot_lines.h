#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gen/records.h"

namespace nexmar {

// The lines of text under a body of a picture, from its record's values.

// A line of text under a body; an abbreviated one carries its full text.
struct SlotLine {
    SlotLine(std::string text, std::string fullText = {}) : text(std::move(text)), fullText(std::move(fullText)) {}
    std::string text;
    std::string fullText;
};

// "Capacity: 5", or "Capacity: ?" where the value is hidden from the players.
std::string StatLine(std::string_view label, int value, bool hidden);
// The census values, each "?" where hidden.
void AddCensusLines(std::vector<SlotLine>& lines, const std::optional<CensusValues>& census, bool hidden = false);
// A special result as short lines: without its "Special: " label and its
// bracketed notes, each of its parts (split at '/') a line, cut where too
// long; the whole result is each line's full text. "None" shows nothing.
// Hidden, it is "Special: ?" whatever it is, so that no line tells.
void AddSpecialLines(std::vector<SlotLine>& lines, std::string_view special, bool hidden = false);
// A High object's moons as lines of three, each moon's Capacity/Raw: "Moons 2/1 0/0 1/1".
void AddHighMoonLines(std::vector<SlotLine>& lines, const std::vector<HighMoon>& moons);
// A Medium object's moons, a line each: "Moon: Accessible", cut where too long.
void AddMediumMoonLines(std::vector<SlotLine>& lines, const std::vector<std::string_view>& moons);

}  // namespace nexmar
