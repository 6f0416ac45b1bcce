#include "gen/names/sector_map_edits.h"

#include <algorithm>
#include <utility>

namespace nexmar {

void SectorMapEdits::SetRoute(int a, int b, bool present)
{
    if (a == b) {
        return;
    }
    const MapRoute route{std::min(a, b), std::max(a, b)};
    for (std::vector<MapRoute>* routes : {&routesAdded, &routesRemoved}) {
        routes->erase(std::remove(routes->begin(), routes->end(), route), routes->end());
    }
    std::vector<MapRoute>& routes = present ? routesAdded : routesRemoved;
    routes.insert(std::upper_bound(routes.begin(), routes.end(), route), route);
}

}  // namespace nexmar
