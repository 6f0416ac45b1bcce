#include "map/system_places.h"

#include <algorithm>
#include <utility>

#include "map/place_stream.h"

namespace nexmar {

MapExtent MapExtent::For(int systems, int densityPercent)
{
    // Whole subsectors until their hexes times the chance hold the systems:
    // subsectors * 80 * percent / 100 >= systems, in integers.
    const std::int64_t wanted = std::int64_t{systems} * 100;
    const std::int64_t perSubsector = std::int64_t{kHexesPerSubsector} * densityPercent;
    MapExtent extent;
    extent.subsectors = static_cast<int>(std::max<std::int64_t>(1, (wanted + perSubsector - 1) / perSubsector));
    extent.sectors = (extent.subsectors + kSubsectorsPerSector - 1) / kSubsectorsPerSector;
    while (extent.sectorsAcross * extent.sectorsAcross < extent.sectors) {
        ++extent.sectorsAcross;
    }
    return extent;
}

int MapExtent::SectorOf(HexPlace place) const
{
    const int across = (place.column - 1) / kSectorColumns;
    const int down = (place.row - 1) / kSectorRows;
    return down * sectorsAcross + across + 1;
}

HexPlace MapExtent::SectorOrigin(int sector) const
{
    const int index = sector - 1;
    return {index % sectorsAcross * kSectorColumns + 1, index / sectorsAcross * kSectorRows + 1};
}

HexPlace MapExtent::HexAt(int index) const
{
    const int subsector = index / kHexesPerSubsector;
    const int inSubsector = index % kHexesPerSubsector;
    const int letter = subsector % kSubsectorsPerSector;
    const HexPlace origin = SectorOrigin(subsector / kSubsectorsPerSector + 1);
    return {origin.column + letter % kSubsectorsAcross * kSubsectorColumns + inSubsector % kSubsectorColumns,
            origin.row + letter / kSubsectorsAcross * kSubsectorRows + inSubsector / kSubsectorColumns};
}

SystemPlaces::SystemPlaces(int systems, int densityPercent, std::uint64_t runSeed)
    : extent_(MapExtent::For(systems, densityPercent))
{
    PlaceStream stream(runSeed);
    // Each hex in turn is taken with the chance of the systems still to
    // place among the hexes still to pass: every choice of hexes as likely,
    // in one pass.
    std::vector<std::uint32_t> chosen;  // hex indices: half the bytes to shuffle
    chosen.reserve(static_cast<std::size_t>(systems));
    std::uint64_t needed = static_cast<std::uint64_t>(systems);
    const int hexes = extent_.Hexes();
    for (int index = 0; index < hexes && needed > 0; ++index) {
        if (stream.Below(static_cast<std::uint64_t>(hexes - index)) < needed) {
            chosen.push_back(static_cast<std::uint32_t>(index));
            --needed;
        }
    }
    // The hexes came in reading order; which system lies in which is shuffled.
    for (std::size_t last = chosen.size(); last > 1; --last) {
        std::swap(chosen[last - 1], chosen[stream.Below(last)]);
    }
    places_.reserve(chosen.size());
    for (const std::uint32_t index : chosen) {
        places_.push_back(extent_.HexAt(static_cast<int>(index)));
    }
}

int SystemPlaces::At(HexPlace place) const
{
    const auto found = std::find(places_.begin(), places_.end(), place);
    return found == places_.end() ? 0 : static_cast<int>(found - places_.begin()) + 1;
}

}  // namespace nexmar
