#include "app/map/shown_map.h"

#include <algorithm>
#include <cmath>

#include "map/run_places.h"

namespace nexmar {

namespace {

int SystemsRolled(const RunSettings& run)
{
    // A filtered run keeps its systems under their numbers in all it rolled.
    return run.systemsRolled > 0 ? run.systemsRolled : run.systems;
}

}  // namespace

std::optional<std::size_t> ShownMap::IndexOfPlace(std::size_t place) const
{
    const auto found = std::find(places.begin(), places.end(), place);
    if (found == places.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - places.begin());
}

std::optional<std::size_t> ShownMap::IndexAt(MapPoint point) const
{
    // Hexes never overlap: the circle inside one holds no other system's centre.
    const double reach = kMapStyle.RowHeight() / 2;
    for (std::size_t index = 0; index < layout.centres.size(); ++index) {
        const MapPoint centre = layout.centres[index];
        if (std::hypot(point.x - centre.x, point.y - centre.y) <= reach) {
            return index;
        }
    }
    return std::nullopt;
}

MapOptions ShownMapOptions(const SectorEdits& edits, MapAudience audience, int sector)
{
    return {edits.Map().density, edits.Map().jump, sector, audience};
}

ShownMap DrawShownMap(const RunSettings& run, const LoadedRun& records, MapAudience audience, int sector)
{
    ShownMap shown;
    shown.sectors = MapExtent::For(SystemsRolled(run), records.edits.Map().density).sectors;
    shown.sector = std::clamp(sector, 1, shown.sectors);
    // Drawn as nexmar-cli draws a saved run: the systems in the order of
    // the run, each under its number, with what the referee made of them.
    SectorMapOutput map([&shown](std::string_view bytes) { shown.svg.assign(bytes); }, records.edits,
                        ShownMapOptions(records.edits, audience, shown.sector));
    map.Begin(run);
    for (std::size_t place = 0; place < records.systems.size(); ++place) {
        const std::size_t before = map.Drawn().systems.size();
        map.Add(records.numbers[place], records.systems[place]);
        if (map.Drawn().systems.size() > before) {
            shown.places.push_back(place);
        }
    }
    map.Finish();
    shown.input = map.Drawn();
    shown.layout = LayOutSectorMap(shown.input);
    return shown;
}

std::vector<int> SectorsOfPlaces(const RunSettings& run, const LoadedRun& records)
{
    const SystemPlaces places = RunPlaces(SystemsRolled(run), run.seed, records.edits);
    std::vector<int> sectors;
    sectors.reserve(records.numbers.size());
    for (const int number : records.numbers) {
        sectors.push_back(places.Extent().SectorOf(places.Of(number)));
    }
    return sectors;
}

}  // namespace nexmar
