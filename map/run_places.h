#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_settings.h"
#include "map/system_places.h"

namespace nexmar {

// The hex of every system of a run as the referee left it: the places the
// run's seed, its count of systems rolled and the map's density (of edits)
// give, but where the referee moved a system. Every map, query and document
// of a run takes its places from here.
SystemPlaces RunPlaces(int systemsRolled, Seed runSeed, const SectorEdits& edits);
// The same at a density of the caller's (the command line's --density).
SystemPlaces RunPlaces(int systemsRolled, int densityPercent, Seed runSeed, const SectorEdits& edits);
// The same for the run of settings: a filtered run's systems keep the places
// of all it rolled.
SystemPlaces RunPlaces(const RunSettings& run, const SectorEdits& edits);

// The hex written "CCRR" in the sector (from 1) of the map of extent: none
// when the text is not four digits naming a column 01 to 32 and a row 01
// to 40. Whether the map holds it is PlaceFault's to say.
std::optional<HexPlace> ParseHex(std::string_view text, int sector, const MapExtent& extent);

// Why a system cannot lie at place on the map of extent, as one line; empty
// when it can.
std::string PlaceFault(const MapExtent& extent, HexPlace place);

// Why the system numbered number cannot be moved to place, as one line: off
// the map, or another system's hex. Empty when it can. The dialog's move
// and the document's reader both ask it.
std::string MoveFault(const SystemPlaces& places, int number, HexPlace place);

// The place written as the document and the dialog show it: "CCRR", and the
// sector after a slash when the map spans more than one ("0304/2").
std::string PlaceName(const MapExtent& extent, HexPlace place);

}  // namespace nexmar
