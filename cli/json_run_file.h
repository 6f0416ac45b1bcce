#pragma once

#include <memory>
#include <span>
#include <string>

#include "cli/cli_app.h"
#include "run/json_import.h"

namespace nexmar {

// The run of nexmar-cli --from-json. The document is read twice: once to
// check all of it before any output is touched, then again to render each
// system as it is read, so memory stays flat however large the file.
class JsonRunFile {
public:
    // Reads and checks the whole document; nothing and error when it fails.
    static std::unique_ptr<JsonRunFile> Check(const std::string& path, std::string& error);

    // The saved run's count, level, census option and seed.
    void SetOptions(CliOptions& options) const;

    // Reads the document again and renders its records in place of the dice.
    // A document changed since Check is reported through notifier and
    // leaves the reports incomplete.
    RunOutcome Render(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                      const SystemDone& systemDone, std::span<RecordObserver* const> observers) const;

private:
    JsonRunFile(std::string path, JsonRunSummary summary);

    std::string path_;
    JsonRunSummary summary_;
};

}  // namespace nexmar
