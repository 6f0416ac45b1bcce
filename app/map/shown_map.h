#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "gen/run_settings.h"
#include "json/json_import.h"
#include "map/sector_map_layout.h"
#include "map/sector_map_output.h"

namespace nexmar {

// One sector's map of a run as the dialog shows it: the very bytes
// nexmar-cli --map writes for the run, its edits and the audience, with the
// systems and the layout they were drawn from, so that the pane draws,
// hits and highlights exactly what the file holds.
struct ShownMap {
    int sector = 1;
    int sectors = 1;
    std::string svg;
    SectorMapInput input;
    SectorMapLayout layout;
    // By system of input: its place among the run's records (its row in the tree).
    std::vector<std::size_t> places;

    // The index in input of the system at place; none when this sector's
    // map does not draw it (another sector's, or one the audience may not see).
    std::optional<std::size_t> IndexOfPlace(std::size_t place) const;
    // The system whose hex holds point (in the map's units), as far as the
    // circle inside the hex reaches; none elsewhere.
    std::optional<std::size_t> IndexAt(MapPoint point) const;
};

// The map's settings as the run's document keeps them, with the audience
// and the sector drawn.
MapOptions ShownMapOptions(const SectorEdits& edits, MapAudience audience, int sector);

// Draws sector (from 1; one beyond the map draws the last) of the run
// described by run, whose systems are records, for audience.
ShownMap DrawShownMap(const RunSettings& run, const LoadedRun& records, MapAudience audience, int sector);

// The sector of each system of records, by place, as the referee placed it.
std::vector<int> SectorsOfPlaces(const RunSettings& run, const LoadedRun& records);

}  // namespace nexmar
