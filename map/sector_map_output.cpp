#include "map/sector_map_output.h"

#include "map/run_places.h"
#include "map/sector_map_svg.h"

namespace nexmar {

void SectorMapOutput::Begin(const RunSettings& settings)
{
    // A filtered run keeps its systems under their numbers in all it
    // rolled, and each keeps the place it has unfiltered.
    const int rolled = settings.systemsRolled > 0 ? settings.systemsRolled : settings.systems;
    places_.emplace(RunPlaces(rolled, options_.density, settings.seed, edits_));
    const int sectors = places_->Extent().sectors;
    map_ = SectorMapInput{};
    map_.sector = options_.sector;
    map_.extent = places_->Extent();
    map_.jump = options_.jump;
    map_.level = settings.level;
    map_.audience = options_.audience;
    map_.title =
        "Sector " + std::to_string(options_.sector) + (sectors > 1 ? " of " + std::to_string(sectors) : "");
    const std::string routes =
        "routes within " + std::to_string(options_.jump) + (options_.jump == 1 ? " hex" : " hexes");
    const std::string level(DetailLevelName(settings.level));
    if (options_.audience == MapAudience::Players) {
        map_.title += " for the players";
        map_.subtitle = level + " detail, " + routes;
    } else {
        map_.subtitle = std::to_string(rolled) + " systems, " + level + " detail, density " +
                        DensityName(options_.density) + " (" + std::to_string(options_.density) + "% of hexes), " +
                        routes;
    }
}

void SectorMapOutput::Add(int number, const SystemRecord& system)
{
    if (!places_ || number < 1 || number > places_->Systems()) {
        return;
    }
    // A document read as it goes hands each system's move with it.
    const SystemEdits* edited = edits_.Find(number);
    const HexPlace place = edited && edited->hex ? *edited->hex : places_->Of(number);
    if (places_->Extent().SectorOf(place) != options_.sector) {
        return;
    }
    if (std::optional<MapSystem> shown = MapSystemOf(number, place, system, edits_, options_.audience)) {
        map_.systems.push_back(std::move(*shown));
    }
}

bool SectorMapOutput::Finish()
{
    map_.routes = DrawnRoutes(map_.systems, options_.jump, edits_.Map());
    write_(SectorMapSvg(map_));
    return true;
}

}  // namespace nexmar
