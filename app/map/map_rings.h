#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace nexmar {

class MapViewport;
struct ShownMap;

// The rings drawn over the map: the system selected elsewhere and the
// systems found, kept by their places among the run's records so that
// they outlast the map drawn and ring the same systems on the next one.
class MapRings {
public:
    void Select(std::optional<std::size_t> place) { selected_ = place; }
    void Find(std::vector<std::size_t> places) { found_ = std::move(places); }
    void Clear();

    // Rings, over map as view shows it, those of the systems it draws.
    void Draw(QPainter& painter, const ShownMap& map, const MapViewport& view) const;

private:
    std::optional<std::size_t> selected_;
    std::vector<std::size_t> found_;
};

}  // namespace nexmar
