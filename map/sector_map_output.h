#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_output.h"
#include "map/map_density.h"
#include "map/sector_map_layout.h"

namespace nexmar {

// What a map is asked for: the density the places are drawn at, the jump
// range of its routes, the sector drawn (from 1) and for whom.
struct MapOptions {
    int density = kDefaultDensity;
    int jump = kDefaultJump;
    int sector = 1;
    MapAudience audience = MapAudience::Referee;
};

// The map of one sector of a run, as the run goes: every system rolled has
// its place from the run's seed, its count and the density; the systems
// shown that lie in the sector drawn are kept, as little as the map draws
// of them, and the map is written whole at the end. A run of a million
// systems keeps one sector's.
class SectorMapOutput final : public RunOutput {
public:
    using Write = std::function<void(std::string_view bytes)>;

    SectorMapOutput(Write write, const SectorEdits& edits, MapOptions options)
        : write_(std::move(write)), edits_(edits), options_(options)
    {
    }

    void Begin(const RunSettings& settings) override;
    void Add(int number, const SystemRecord& system) override;
    bool Finish() override;
    // What the map draws: after Finish, every system and route written.
    // The dialog's pane finds its systems and their places there.
    const SectorMapInput& Drawn() const { return map_; }

private:
    Write write_;
    const SectorEdits& edits_;
    MapOptions options_;
    std::optional<SystemPlaces> places_;
    SectorMapInput map_;
};

}  // namespace nexmar
