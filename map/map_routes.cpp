#include "map/map_routes.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "map/map_style.h"

namespace nexmar {

namespace {

struct Link {
    int distance;
    std::size_t a;  // indices into the systems, a's number the lower
    std::size_t b;
};

// Which systems are joined so far, each set by one of its members.
class JoinedSets {
public:
    explicit JoinedSets(std::size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }
    std::size_t Find(std::size_t item)
    {
        while (parent_[item] != item) {
            parent_[item] = parent_[parent_[item]];
            item = parent_[item];
        }
        return item;
    }
    // False when they were joined already.
    bool Join(std::size_t a, std::size_t b)
    {
        a = Find(a);
        b = Find(b);
        if (a == b) {
            return false;
        }
        parent_[std::max(a, b)] = std::min(a, b);
        return true;
    }

private:
    std::vector<std::size_t> parent_;
};

double SquaredDistanceToSegment(MapPoint p, MapPoint a, MapPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x;
    const double ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

std::vector<Link> CandidateLinks(std::span<const MapSystem> systems, int jump)
{
    std::vector<Link> links;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        for (std::size_t j = i + 1; j < systems.size(); ++j) {
            const int distance = HexDistance(systems[i].place, systems[j].place);
            if (distance <= jump) {
                const bool lowerFirst = systems[i].number < systems[j].number;
                links.push_back({distance, lowerFirst ? i : j, lowerFirst ? j : i});
            }
        }
    }
    std::sort(links.begin(), links.end(), [&systems](const Link& x, const Link& y) {
        const int xa = systems[x.a].number;
        const int ya = systems[y.a].number;
        if (x.distance != y.distance) {
            return x.distance < y.distance;
        }
        return xa != ya ? xa < ya : systems[x.b].number < systems[y.b].number;
    });
    return links;
}

}  // namespace

bool RouteIsClear(const MapSystem& a, const MapSystem& b, std::span<const MapSystem> systems)
{
    const MapPoint from = HexCentre(a.place, 0, 0);
    const MapPoint to = HexCentre(b.place, 0, 0);
    const double reachOfLine = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    for (const MapSystem& other : systems) {
        if (other.number == a.number || other.number == b.number) {
            continue;
        }
        const MapPoint centre = HexCentre(other.place, 0, 0);
        const double clearance = kMapStyle.GlyphReach(other.sizeClass) + kMapStyle.routeClearance;
        // Most glyphs lie far from the line: pass them by before any arithmetic.
        const double near = reachOfLine + clearance;
        if (std::abs(centre.x - from.x) > near || std::abs(centre.y - from.y) > near) {
            continue;
        }
        if (SquaredDistanceToSegment(centre, from, to) < clearance * clearance) {
            return false;
        }
    }
    return true;
}

std::vector<MapRoute> PlanRoutes(std::span<const MapSystem> systems, int jump)
{
    std::vector<MapRoute> routes;
    JoinedSets joined(systems.size());
    for (const Link& link : CandidateLinks(systems, jump)) {
        // A neighbour's link is always drawn; a longer one only to join.
        if (link.distance > 1 && joined.Find(link.a) == joined.Find(link.b)) {
            continue;
        }
        if (!RouteIsClear(systems[link.a], systems[link.b], systems)) {
            continue;
        }
        joined.Join(link.a, link.b);
        routes.push_back({systems[link.a].number, systems[link.b].number});
    }
    return routes;
}

std::vector<MapRoute> DrawnRoutes(std::span<const MapSystem> systems, int jump, const SectorMapEdits& edits)
{
    std::vector<MapRoute> routes = PlanRoutes(systems, jump);
    const auto listed = [](const std::vector<MapRoute>& list, const MapRoute& route) {
        return std::binary_search(list.begin(), list.end(), route);
    };
    std::erase_if(routes, [&](const MapRoute& route) { return listed(edits.routesRemoved, route); });
    const auto drawn = [&systems](int number) {
        return std::any_of(systems.begin(), systems.end(),
                           [number](const MapSystem& system) { return system.number == number; });
    };
    for (const MapRoute& route : edits.routesAdded) {
        if (drawn(route.from) && drawn(route.to) && std::find(routes.begin(), routes.end(), route) == routes.end()) {
            routes.push_back(route);
        }
    }
    return routes;
}

}  // namespace nexmar
