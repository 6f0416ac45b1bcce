#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "gen/run_output.h"
#include "gen/run_settings.h"

namespace nexmar {

// Bumped whenever a reader of an earlier document could misread a later one.
inline constexpr int kJsonFormatVersion = 1;

// Writes one run as a JSON document while the run goes: the head when it is
// made, each system as its record arrives, the tail on Finish. Only one
// system is ever held, so a run of any size costs the same memory.
// The head names the program and keeps the settings but the count, which
// the systems themselves give, and the query, of which it keeps only how
// many systems the run rolled. docs/nexmar-run.schema.json describes the
// document.
class JsonExport final : public RunOutput {
public:
    using Sink = std::function<void(std::string_view)>;

    JsonExport(std::string_view program, Sink sink);
    // Writes the head.
    void Begin(const RunSettings& settings) override;
    void Add(int number, const SystemRecord& system) override;
    // Closes the document.
    bool Finish() override;

private:
    std::string program_;
    Sink sink_;
    bool firstSystem_ = true;
};

}  // namespace nexmar
