#pragma once

#include <string>

#include "gen/names/sector_edits.h"
#include "gen/records.h"

namespace nexmar {

// The tables of a system's handout section: a row per body, a column per
// field the players' view keeps, each hidden value "?". Notes for the
// players on an object go in its row.
void AppendBodyTable(std::string& out, int number, const LowSystem& system, const PlayerSystem& shown);
void AppendBodyTable(std::string& out, int number, const MediumSystem& system, const PlayerSystem& shown);
void AppendBodyTable(std::string& out, int number, const HighSystem& system, const PlayerSystem& shown);

// Text as HTML text: &, <, >, " and ' as entities.
void AppendHtmlText(std::string& out, std::string_view text);

}  // namespace nexmar
