#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_output.h"
#include "map/system_places.h"

namespace nexmar {

// The handout of a sector for its players: one self-contained HTML page,
// written as the run goes, a section per system they know of, headed by its
// number, its name (unless hidden) and its hex on their map. Each section
// has the system's players' picture inline as SVG, a table of its bodies
// with every hidden value as "?", and the notes written for the players. A
// Secret system, the referee's notes and the run's seed are nowhere in it:
// what the players must not see is never read into the page. No script, no
// external file; the print rules keep each Medium or High system on a page
// of its own and Low systems compact, in black ink on white.
class HandoutPage final : public RunOutput {
public:
    using Write = std::function<void(std::string_view bytes)>;

    HandoutPage(Write write, const SectorEdits& edits) : write_(std::move(write)), edits_(edits) {}

    // Writes the page's head.
    void Begin(const RunSettings& settings) override;
    void Add(int number, const SystemRecord& system) override;
    // Ends the page.
    bool Finish() override;

private:
    Write write_;
    const SectorEdits& edits_;
    std::optional<SystemPlaces> places_;  // the run's, as its seed gives them
    std::string section_;  // kept between systems, so its room is reused
    int shown_ = 0;
};

}  // namespace nexmar
