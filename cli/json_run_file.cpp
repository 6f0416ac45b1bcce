#include "cli/json_run_file.h"

#include <cstring>

#include "core/quoted_path.h"

namespace nexmar {

namespace {

constexpr const char* kChanged = "the file changed while it was read; no output was written";

// Checks every record and drops it, keeping the numbers of the first few
// for the files named after them.
class KeepNumbers final : public RunOutput {
public:
    explicit KeepNumbers(std::vector<int>& numbers) : numbers_(numbers) {}
    void Add(int number, const SystemRecord&) override
    {
        if (numbers_.size() < static_cast<std::size_t>(JsonRunFile::kNumbersKept)) {
            numbers_.push_back(number);
        }
    }

private:
    std::vector<int>& numbers_;
};

// Hands each record read to the run's renderer, once it is known to belong
// to the run the check read: of its level and census option, within its count.
// What the referee made of each system is forgotten once it is rendered.
class RenderEach final : public RunOutput {
public:
    RenderEach(RunRenderer& renderer, const JsonRunSummary& checked, const JsonRunSummary& read, SectorEdits& edits)
        : renderer_(renderer), checked_(checked), read_(read), edits_(edits), move_(checked.moves.begin())
    {
    }
    // The system goes under its number in the run.
    void Add(int number, const SystemRecord& system) override
    {
        if (!read_.SameHead(checked_) || number > checked_.LastNumber()) {
            throw JsonReadError{kChanged};
        }
        // The reading knows the moves once it has read every system; the
        // check that read them before hands each with its system.
        while (move_ != checked_.moves.end() && move_->first < number) {
            ++move_;
        }
        if (move_ != checked_.moves.end() && move_->first == number) {
            const SystemEdits* found = edits_.Find(number);
            SystemEdits moved = found != nullptr ? *found : SystemEdits{};
            moved.hex = move_->second;
            edits_.Set(number, std::move(moved));
        }
        renderer_.ContinueAt(number);
        renderer_.Add(system);
        edits_.Forget(number);
    }

private:
    RunRenderer& renderer_;
    const JsonRunSummary& checked_;
    const JsonRunSummary& read_;
    SectorEdits& edits_;
    std::vector<std::pair<int, HexPlace>>::const_iterator move_;  // the next system moved
};

std::string Unreadable(const std::string& path, int cause)
{
    return "--from-json: cannot read " + QuotedPath(path) + ": " + std::strerror(cause);
}

}  // namespace

JsonRunFile::JsonRunFile(std::string path, std::unique_ptr<JsonDocumentFile> file, JsonRunSummary summary,
                         std::uint64_t digest, std::uint64_t size)
    : path_(std::move(path)),
      file_(std::move(file)),
      summary_(std::move(summary)),
      digest_(digest),
      size_(size),
      edits_(summary_.settings.seed)
{
    // The map's outputs begin before the second reading reaches the head.
    edits_.Map() = summary_.map;
}

std::unique_ptr<JsonRunFile> JsonRunFile::Check(const std::string& path, std::string& error)
{
    std::unique_ptr<JsonDocumentFile> file = JsonDocumentFile::Open(path, error);
    if (!file) {
        error = "--from-json: " + error;
        return nullptr;
    }
    JsonDocumentFile::Pass pass(*file);
    JsonRunSummary summary;
    std::vector<int> numbers;
    KeepNumbers keep(numbers);
    const std::optional<JsonReadError> bad = ReadJsonRun(pass, kMaxBatchSystems, summary, keep);
    if (pass.error() != 0) {
        error = Unreadable(path, pass.error());
        return nullptr;
    }
    if (bad) {
        error = "--from-json: " + path + ": " + bad->message;
        return nullptr;
    }
    auto checked = std::unique_ptr<JsonRunFile>(
        new JsonRunFile(path, std::move(file), std::move(summary), pass.digest(), pass.size()));
    checked->numbers_ = std::move(numbers);
    return checked;
}

void JsonRunFile::SetOptions(CliOptions& options) const
{
    std::optional<std::string> query = std::move(options.run.query);
    options.run = summary_.settings;
    options.run.query = std::move(query);
    options.seedGiven = true;
    options.mapOptions.density = summary_.map.density;
    options.mapOptions.jump = summary_.map.jump;
}

RunOutcome JsonRunFile::Render(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                               const SystemDone& systemDone, std::span<RunOutput* const> outputs)
{
    renderedWhole_ = false;  // a count pass before the real run may have read the file whole
    tree.Clear();
    RunRenderer renderer(inputs.settings, inputs.renderTree, tree, reports, notifier, systemDone, outputs,
                         inputs.choice);
    JsonRunSummary again;
    RenderEach render(renderer, summary_, again, edits_);
    JsonDocumentFile::Pass pass(*file_);
    std::optional<JsonReadError> bad = ReadJsonRun(pass, kMaxBatchSystems, again, render, &edits_);
    if (pass.error() != 0) {
        bad = JsonReadError{std::string("cannot read it again: ") + std::strerror(pass.error())};
    } else if (!bad && (!(again.program == summary_.program && again.settings == summary_.settings) ||
                        pass.digest() != digest_ || pass.size() != size_)) {
        bad = JsonReadError{kChanged};
    }
    if (bad) {
        // The reports stay nameless and vanish with their descriptors.
        notifier.Notify("--from-json: " + path_ + ": " + bad->message);
        return RunOutcome{true, false};
    }
    renderedWhole_ = true;
    return renderer.Finish();
}

}  // namespace nexmar
