#include "cli/json_run_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>


namespace nexmar {

namespace {

// Checks every record and drops it.
class Discard final : public RecordObserver {};

// Hands each record read to the run's renderer.
class RenderEach final : public RecordObserver {
public:
    explicit RenderEach(RunRenderer& renderer) : renderer_(renderer) {}
    void OnLowSystem(int, const LowSystem& system) override { renderer_.AddLowSystem(system); }
    void OnMediumSystem(int, const MediumSystem& system) override { renderer_.AddMediumSystem(system); }
    void OnHighSystem(int, const HighSystem& system) override { renderer_.AddHighSystem(system); }

private:
    RunRenderer& renderer_;
};

std::string Unreadable(const std::string& path)
{
    return "--from-json: cannot read '" + path + "': " + std::strerror(errno);
}

}  // namespace

JsonRunFile::JsonRunFile(std::string path, JsonRunSummary summary)
    : path_(std::move(path)), summary_(std::move(summary))
{
}

std::unique_ptr<JsonRunFile> JsonRunFile::Check(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = Unreadable(path);
        return nullptr;
    }
    JsonRunSummary summary;
    Discard discard;
    if (const std::optional<JsonReadError> bad = ReadJsonRun(in, kMaxBatchSystems, summary, discard)) {
        error = "--from-json: " + path + ": " + bad->message;
        return nullptr;
    }
    if (in.bad()) {
        error = Unreadable(path);
        return nullptr;
    }
    return std::unique_ptr<JsonRunFile>(new JsonRunFile(path, std::move(summary)));
}

void JsonRunFile::SetOptions(CliOptions& options) const
{
    options.systems = summary_.systems;
    options.level = summary_.header.level;
    options.census = summary_.header.census;
    options.seed = summary_.header.seed;
}

RunOutcome JsonRunFile::Render(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                               const SystemDone& systemDone, std::span<RecordObserver* const> observers) const
{
    tree.Clear();
    RunRenderer renderer(summary_.header.level, inputs.renderTree, tree, reports, notifier, systemDone, observers);
    RenderEach render(renderer);
    std::ifstream in(path_, std::ios::binary);
    JsonRunSummary again;
    std::optional<JsonReadError> bad;
    if (!in) {
        bad = JsonReadError{Unreadable(path_)};
    } else {
        bad = ReadJsonRun(in, kMaxBatchSystems, again, render);
    }
    if (!bad && again.systems != summary_.systems) {
        bad = JsonReadError{"the file changed while it was read"};
    }
    RunOutcome outcome = renderer.Finish();
    if (bad) {
        notifier.Notify("--from-json: " + path_ + ": " + bad->message);
        outcome.reportsComplete = false;
    }
    return outcome;
}

}  // namespace nexmar
