#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_output.h"
#include "gen/run_settings.h"
#include "map/system_places.h"

namespace nexmar {

// Bumped whenever a reader of an earlier document could misread a later one.
// Format 2 gave every system its name, and the document what the referee
// made of the run: notes, and the seeds of systems rolled again. Format 3
// gave every system its hex, and the head the map's density, jump range and
// routes drawn by hand.
inline constexpr int kJsonFormatVersion = 3;
inline constexpr int kFirstFormatWithEdits = 2;
inline constexpr int kFirstFormatWithPlaces = 3;

// Writes one run as a JSON document while the run goes: the head when it is
// made, each system as its record arrives, the tail on Finish. Only one
// system is ever held, so a run of any size costs the same memory.
// The head names the program and keeps the settings but the count, which
// the systems themselves give, and the query, of which it keeps only how
// many systems the run rolled. docs/nexmar-run.schema.json describes the
// document. Each system goes with its name and what the referee made of it,
// as edits say when the system comes; without edits, with the names
// generated for the run. Each system's hex is where the referee moved it,
// else where the run's seed, count and the edits' density place it.
class JsonExport final : public RunOutput {
public:
    using Sink = std::function<void(std::string_view)>;

    JsonExport(std::string_view program, Sink sink, const SectorEdits* edits = nullptr);
    // Writes the head.
    void Begin(const RunSettings& settings) override;
    void Add(int number, const SystemRecord& system) override;
    // Closes the document.
    bool Finish() override;

private:
    std::string program_;
    Sink sink_;
    std::optional<SectorEdits> generatedNames_;
    std::optional<SystemPlaces> places_;
    const SectorEdits* edits_;
    bool firstSystem_ = true;
};

}  // namespace nexmar
