#pragma once

#include <memory>
#include <span>
#include <string>

#include "cli/cli_app.h"
#include "cli/picture_files.h"
#include "json/json_document_file.h"
#include "json/json_import.h"

namespace nexmar {

// The run of nexmar-cli --from-json. The file is opened once and read
// twice: once to check all of it before any output is touched, then again
// to render each system as it is read, so memory stays flat however large
// the file. The second reading must read the bytes the first one did, and
// every system it hands on must belong to the run the first one checked;
// otherwise no output takes its name.
class JsonRunFile {
public:
    // Opens, reads and checks the whole document; nothing and error when it fails.
    static std::unique_ptr<JsonRunFile> Check(const std::string& path, std::string& error);

    // The saved run's settings in place of the options', the query apart,
    // and its map's density and jump range.
    void SetOptions(CliOptions& options) const;
    // What the reader says of how it read the document (an earlier format's
    // places), one line; empty when nothing.
    const std::string& Notice() const { return summary_.notice; }
    // The systems the referee moved, each with its hex.
    const std::vector<std::pair<int, HexPlace>>& Moves() const { return summary_.moves; }
    // The numbers of the first kNumbersKept systems, for the files named after them.
    static constexpr int kNumbersKept = kMaxPictureFiles + 1;
    const std::vector<int>& FirstNumbers() const { return numbers_; }

    // Reads the document again and renders its records in place of the
    // dice. A document changed since Check is reported through notifier,
    // and the reports are left unnamed: see RenderedWhole.
    RunOutcome Render(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                      const SystemDone& systemDone, std::span<RunOutput* const> outputs);

    // Whether Render read the document the check read, to its end; when
    // not, the caller commits no output either.
    bool RenderedWhole() const { return renderedWhole_; }
    // The names of the systems, and what the referee made of the system
    // being rendered: each system's edits are dropped once it is shown, so
    // memory stays flat.
    const SectorEdits& Edits() const { return edits_; }

private:
    JsonRunFile(std::string path, std::unique_ptr<JsonDocumentFile> file, JsonRunSummary summary,
                std::uint64_t digest, std::uint64_t size);

    std::string path_;
    std::unique_ptr<JsonDocumentFile> file_;
    JsonRunSummary summary_;
    std::uint64_t digest_;  // of the bytes the check read
    std::uint64_t size_;
    std::vector<int> numbers_;
    SectorEdits edits_;
    bool renderedWhole_ = false;
};

}  // namespace nexmar
