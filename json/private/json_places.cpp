#include "json/private/json_places.h"

#include <algorithm>
#include <limits>

#include "json/json_format.h"
#include "json/json_read_error.h"
#include "map/run_places.h"

namespace nexmar {

namespace {

using namespace json_field;

constexpr const char* kHexExpected = "a hex \"CCRR\": a column 01 to 32 and a row 01 to 40";

}  // namespace

void DocumentPlaces::Read(const JsonValue& system, int number, int index)
{
    const JsonValue hex = system.At(kHex);
    // Where a hex lies in its sector is the same on every map.
    const std::optional<HexPlace> inSector = ParseHex(hex.String(), 1, MapExtent{});
    if (!inSector) {
        hex.Expected(kHexExpected);
    }
    const int sector = system.Has(kSector) ? system.At(kSector).Int(1, std::numeric_limits<int>::max()) : 1;
    read_.push_back({number, index, sector, *inSector, hex.Line()});
}

std::vector<std::pair<int, HexPlace>> DocumentPlaces::Moves(int systemsRolled, Seed runSeed,
                                                             int densityPercent) const
{
    const SystemPlaces seedPlaces(systemsRolled, densityPercent, runSeed);
    const MapExtent& extent = seedPlaces.Extent();
    const auto fail = [](const Read_& read, const std::string& what) {
        throw JsonErrorAt("/systems/" + std::to_string(read.index) + "/" + std::string(kHex), read.line, what);
    };
    std::vector<std::pair<int, HexPlace>> moves;
    // Each hex as one number beside the system's place in read_, sorted to find the same hex twice.
    std::vector<std::pair<std::int64_t, std::size_t>> hexes;
    hexes.reserve(read_.size());
    for (std::size_t at = 0; at < read_.size(); ++at) {
        const Read_& read = read_[at];
        const std::string sector = std::to_string(read.sector);
        const HexPlace place = *ParseHex(HexNumber(read.inSector), read.sector, extent);
        if (read.sector > extent.sectors) {
            fail(read, "expected a hex of the map, which spans " + std::to_string(extent.sectors) +
                           (extent.sectors == 1 ? " sector" : " sectors") + ", found sector " + sector);
        }
        if (const std::string fault = PlaceFault(extent, place); !fault.empty()) {
            fail(read, "expected a hex of the map: " + fault);
        }
        if (!(place == seedPlaces.Of(read.number))) {
            moves.emplace_back(read.number, place);
        }
        hexes.emplace_back(std::int64_t{place.column} << 32 | place.row, at);
    }
    std::sort(hexes.begin(), hexes.end());
    for (std::size_t at = 1; at < hexes.size(); ++at) {
        if (hexes[at].first == hexes[at - 1].first) {
            const std::size_t first = std::min(hexes[at].second, hexes[at - 1].second);
            const std::size_t second = std::max(hexes[at].second, hexes[at - 1].second);
            fail(read_[second], "expected a hex no other system holds; system " +
                                    std::to_string(read_[first].number) + " lies there");
        }
    }
    return moves;
}

std::vector<MapRoute> ReadRoutes(const JsonValue& routes)
{
    std::vector<MapRoute> read;
    for (const JsonValue& route : routes.Elements(1, SIZE_MAX, "routes")) {
        const std::vector<JsonValue> ends = route.Elements(2, 2, "system numbers");
        const int from = ends[0].Int(1, std::numeric_limits<int>::max() - 1);
        const MapRoute made{from, ends[1].Int(from + 1, std::numeric_limits<int>::max())};
        if (!read.empty() && !(read.back() < made)) {
            route.Expected("the routes in rising order, each once");
        }
        read.push_back(made);
    }
    return read;
}

}  // namespace nexmar
