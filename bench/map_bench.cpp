#include <string>
#include <vector>

#include "bench_support.h"
#include "gen/names/system_names.h"
#include "map/map_density.h"
#include "map/map_routes.h"
#include "map/sector_map_svg.h"
#include "map/system_places.h"

namespace nexmar::bench {
namespace {

// What placing a million systems adds to the batch run of a million Low
// systems (BM_BatchRunLow1M, in the same run).
void BM_PlacesLow1M(benchmark::State& state)
{
    for (auto _ : state) {
        const SystemPlaces places(1000000, kDefaultDensity, 2026);
        benchmark::DoNotOptimize(places.Of(1000000));
    }
}

// The first sector's map of a run of count systems at Standard density:
// the places, the systems of the sector, the routes, the labels and the SVG.
void DrawFirstSector(benchmark::State& state, int count)
{
    const NameGenerator names(2026);
    for (auto _ : state) {
        const SystemPlaces places(count, kDefaultDensity, 2026);
        SectorMapInput input;
        input.extent = places.Extent();
        for (int number = 1; number <= count; ++number) {
            if (places.Extent().SectorOf(places.Of(number)) == 1) {
                MapSystem system;
                system.number = number;
                system.place = places.Of(number);
                system.name = std::string(names.Name(number).view());
                system.sizeClass = number % 3;
                system.star = static_cast<StarColour>(number % 7);
                system.special = number % 4 == 0;
                input.systems.push_back(std::move(system));
            }
        }
        input.routes = PlanRoutes(input.systems, kDefaultJump);
        benchmark::DoNotOptimize(SectorMapSvg(input).size());
    }
}

void BM_MapOf200(benchmark::State& state)
{
    DrawFirstSector(state, 200);
}

void BM_MapOf10000(benchmark::State& state)
{
    DrawFirstSector(state, 10000);
}

BENCHMARK(BM_PlacesLow1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOf200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOf10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexmar::bench
