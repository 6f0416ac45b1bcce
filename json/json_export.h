#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/run_output.h"

namespace nexmar {

// Bumped whenever a reader of an earlier document could misread a later one.
// Format 2 gave every system its name, and the document what the referee
// made of the run: notes, and the seeds of systems rolled again.
inline constexpr int kJsonFormatVersion = 2;
inline constexpr int kFirstFormatWithEdits = 2;

struct JsonRunHeader {
    std::string program;
    std::uint32_t seed = 0;
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    // The systems a run filtered by a query rolled, of which the document
    // keeps the matching ones under their numbers; 0 when it keeps them all.
    int systemsRolled = 0;
    bool operator==(const JsonRunHeader&) const = default;
};

// Writes one run as a JSON document while the run goes: the head when it is
// made, each system as its record arrives, the tail on Finish. Only one
// system is ever held, so a run of any size costs the same memory.
// docs/nexmar-run.schema.json describes the document. Each system goes
// with its name and what the referee made of it, as edits say when the
// system comes; without edits, with the names generated for the run.
class JsonExport final : public RecordObserver {
public:
    using Sink = std::function<void(std::string_view)>;

    JsonExport(const JsonRunHeader& header, Sink sink, const SectorEdits* edits = nullptr);
    void OnLowSystem(int number, const LowSystem& system) override;
    void OnMediumSystem(int number, const MediumSystem& system) override;
    void OnHighSystem(int number, const HighSystem& system) override;
    // Closes the document; call once, after the run.
    void Finish();

private:
    void WriteSystem(const std::string& object);

    Sink sink_;
    std::optional<SectorEdits> generatedNames_;
    const SectorEdits* edits_;
    bool firstSystem_ = true;
};

}  // namespace nexmar
