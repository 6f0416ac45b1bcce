#pragma once

#include <vector>

#include "gen/names/visibility.h"
#include "model/print_table.h"

namespace nexmar {

// A printed table as the players may see it: every cell of a field kept
// from them reads "?", so the rows and the bodies stay where they are and
// no figure, kind or special of the field is printed.
void HideCells(const std::vector<PrintColumn>& columns, PrintRow& row, PlayerFields hidden);
void HideCells(PrintTable& table, PlayerFields hidden);

}  // namespace nexmar
