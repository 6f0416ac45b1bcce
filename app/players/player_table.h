#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gen/names/visibility.h"
#include "players/print_table.h"

namespace nexmar {

// A printed table as the players may see it: every cell of a field kept
// from them reads "?", so the rows and the bodies stay where they are and
// no figure, kind or special of the field is printed; of a High object's
// moons ("2/1, 0/0"), a hidden Capacity or RAW reads "?" in each pair.
// Hidden stars keep one row a component, the first star's, which reads "?".
void HideCells(const std::vector<PrintColumn>& columns, PrintRow& row, PlayerFields hidden);
void HideCells(PrintTable& table, PlayerFields hidden);

// The same rule for a stat line of the result tree ("Capacity: 12"): the
// field its label shows, and the line as the players may see it, the value
// of a hidden field "?". special: the special result of the system or
// object the line is under, whose line may carry no label ("No special").
std::optional<PlayerField> FieldOfStatLine(std::string_view text);
std::string PlayerStatLine(std::string_view text, std::string_view special, PlayerFields hidden);

}  // namespace nexmar
