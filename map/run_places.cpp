#include "map/run_places.h"

namespace nexmar {

namespace {

int TwoDigits(std::string_view text)
{
    if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return 0;
    }
    return (text[0] - '0') * 10 + (text[1] - '0');
}

}  // namespace

SystemPlaces RunPlaces(int systemsRolled, Seed runSeed, const SectorEdits& edits)
{
    return RunPlaces(systemsRolled, edits.Map().density, runSeed, edits);
}

SystemPlaces RunPlaces(int systemsRolled, int densityPercent, Seed runSeed, const SectorEdits& edits)
{
    SystemPlaces places(systemsRolled, densityPercent, runSeed);
    for (const auto& [number, edited] : edits.Systems()) {
        if (edited.hex && number >= 1 && number <= places.Systems()) {
            places.Move(number, *edited.hex);
        }
    }
    return places;
}

SystemPlaces RunPlaces(const RunSettings& run, const SectorEdits& edits)
{
    return RunPlaces(run.systemsRolled > 0 ? run.systemsRolled : run.systems, run.seed, edits);
}

std::optional<HexPlace> ParseHex(std::string_view text, int sector, const MapExtent& extent)
{
    if (text.size() != 4 || sector < 1) {
        return std::nullopt;
    }
    const int column = TwoDigits(text.substr(0, 2));
    const int row = TwoDigits(text.substr(2, 2));
    if (column < 1 || column > kSectorColumns || row < 1 || row > kSectorRows) {
        return std::nullopt;
    }
    const int index = sector - 1;
    return HexPlace{index % extent.sectorsAcross * kSectorColumns + column,
                    index / extent.sectorsAcross * kSectorRows + row};
}

std::string PlaceFault(const MapExtent& extent, HexPlace place)
{
    const int sector = extent.SectorOf(place);
    const int subsector = (sector - 1) * kSubsectorsPerSector + (SubsectorLetter(place) - 'A');
    if (place.column >= 1 && place.row >= 1 && place.column <= extent.sectorsAcross * kSectorColumns &&
        subsector < extent.subsectors) {
        return {};
    }
    const HexPlace last = extent.HexAt(extent.Hexes() - 1);
    return "hex " + PlaceName(extent, place) + " is off the map, which ends at subsector " +
           SubsectorLetter(last) + (extent.sectors > 1 ? " of sector " + std::to_string(extent.sectors) : "");
}

std::string MoveFault(const SystemPlaces& places, int number, HexPlace place)
{
    if (std::string fault = PlaceFault(places.Extent(), place); !fault.empty()) {
        return fault;
    }
    const int holder = places.At(place);
    if (holder != 0 && holder != number) {
        return "hex " + PlaceName(places.Extent(), place) + " is taken by system " + std::to_string(holder);
    }
    return {};
}

std::string PlaceName(const MapExtent& extent, HexPlace place)
{
    const std::string hex = HexNumber(place);
    return extent.sectors > 1 ? hex + "/" + std::to_string(extent.SectorOf(place)) : hex;
}

}  // namespace nexmar
