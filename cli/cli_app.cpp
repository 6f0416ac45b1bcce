#include "cli/cli_app.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/block_writer.h"
#include "core/report_files.h"
#include "cli/json_output.h"
#include "cli/json_run_file.h"
#include "cli/output_plan.h"
#include "run/json_export.h"
#include "run/tree_renderer.h"
#include "run/statistics_report.h"

namespace nexmar {

namespace {

// The dialog's two-line messages, said in one line on the terminal.
class StderrNotifier final : public Notifier {
public:
    explicit StderrNotifier(std::FILE* err) : err_(err) {}
    void Notify(const std::string& message) override
    {
        std::string line = message;
        for (std::size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at)) {
            line.replace(at, 1, "; ");
        }
        std::fprintf(err_, "nexmar-cli: %s\n", line.c_str());
    }

private:
    std::FILE* err_;
};

// Output that never arrived is a failure like any other, whether the disk is
// full or standard output was closed: it is said on err, once, at the end,
// with its cause when the last flush tells it.
bool Delivered(std::FILE* out, std::FILE* err, bool filesWritten)
{
    errno = 0;
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return true;
    }
    const int cause = errno;
    std::fprintf(err, "nexmar-cli: could not write to standard output%s%s%s\n", cause != 0 ? ": " : "",
                 cause != 0 ? std::strerror(cause) : "", filesWritten ? "; every file was written" : "");
    return false;
}

// The files of a run other than the reports, each staged in the run's commit
// unless it is written in place (standard output, a device, a pipe).
struct RunFiles {
    std::unique_ptr<JsonOutput> json;
    int statistics = -1;  // the statistics file's descriptor, when asked for
    bool statisticsStaged = false;
};

// Opens what the run writes besides the reports, before the run begins, so
// that a file that cannot be created is refused before anything is touched.
bool OpenRunFiles(const CliOptions& options, std::FILE* out, OutputCommit& commit, RunFiles& files, std::FILE* err)
{
    std::string error;
    if (!options.jsonPath.empty()) {
        files.json = JsonOutput::Open(options.jsonPath, out, commit, error);
        if (!files.json) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return false;
        }
    }
    if (!options.statisticsJson.empty()) {
        const std::filesystem::path& path = options.statisticsJson;
        std::error_code ignored;
        const std::filesystem::file_status status = std::filesystem::status(path, ignored);
        files.statisticsStaged = !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
        files.statistics = files.statisticsStaged ? commit.Stage(FollowLinks(path))
                                                  : ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (files.statistics < 0) {
            std::fprintf(err, "nexmar-cli: could not write the statistics to %s: %s\n", OneLine(path.string()).c_str(),
                         std::strerror(errno));
            return false;
        }
    }
    return true;
}

// Completes the files the run wrote as it went; says on err what failed.
bool FinishRunFiles(const CliOptions& options, RunFiles& files, const std::optional<RunStatistics>& statistics,
                    std::FILE* err)
{
    bool finished = true;
    std::string error;
    if (files.json && !files.json->Finish(error)) {
        std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
        finished = false;
    }
    if (files.statistics >= 0) {
        bool written = WriteAll(files.statistics, StatisticsJson(*statistics));
        if (!files.statisticsStaged) {
            written = ::close(files.statistics) == 0 && written;
            files.statistics = -1;
        }
        if (!written) {
            std::fprintf(err, "nexmar-cli: could not write the statistics to %s: %s\n",
                         OneLine(options.statisticsJson.string()).c_str(), std::strerror(errno));
            finished = false;
        }
    }
    return finished;
}

}  // namespace

namespace {

// Prints each system as it completes and then drops it, so memory stays flat
// however many systems a batch asks for. The printed lines go out in blocks
// of about a megabyte rather than a write per item.
class TreePrinter {
public:
    TreePrinter(ResultTree& tree, std::FILE* out, bool print) : tree_(tree), out_(out), print_(print) {}

    void SystemDone(ItemId system)
    {
        if (print_) {
            // The first system comes with the root above it; the later ones
            // alone, their elders being dropped.
            if (!rootPrinted_) {
                AppendTreeLines(lines_, tree_, tree_.at(system).parent, 0);
                rootPrinted_ = true;
            } else {
                AppendTreeLines(lines_, tree_, system, 1);
            }
            if (lines_.size() >= kBlockBytes) {
                WriteLines();
            }
        }
        tree_.DropFrom(system);
    }
    void WriteLines()
    {
        std::fwrite(lines_.data(), 1, lines_.size(), out_);
        lines_.clear();
    }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
    ResultTree& tree_;
    std::FILE* out_;
    bool print_;
    bool rootPrinted_ = false;
    std::string lines_;
};

// Runs with the outputs chosen: every file the run writes is staged in one
// commit, which names them all only when all are complete. What goes to
// standard output after that is delivered apart, and said apart when it fails.
int RunWithOutputs(CliOptions options, std::FILE* out, std::FILE* err, const CliHooks& hooks)
{
    std::unique_ptr<JsonRunFile> runFile;
    if (!options.fromJsonPath.empty()) {
        std::string error;
        runFile = JsonRunFile::Check(options.fromJsonPath, error);
        if (!runFile) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return kExitBadInput;
        }
        runFile->SetOptions(options);
    }
    const std::uint32_t seed = options.seed.value_or(ClockSeed());
    if (!options.seed) {
        std::fprintf(err, "seed: %u\n", seed);
    }
    OutputCommit commit(hooks.watch, hooks.unnamed);
    RunFiles files;
    if (!OpenRunFiles(options, out, commit, files, err)) {
        return kExitReportsFailed;
    }
    std::vector<RecordObserver*> observers;
    std::unique_ptr<JsonExport> jsonExport;
    if (files.json) {
        jsonExport = std::make_unique<JsonExport>(JsonRunHeader{"nexmar-cli", seed, options.level, options.census},
                                                  [&files](std::string_view text) { files.json->Write(text); });
        observers.push_back(jsonExport.get());
    }
    std::optional<RunStatistics> statistics;
    if (options.printStatistics || !options.statisticsJson.empty()) {
        observers.push_back(&statistics.emplace(options.level, options.census));
    }
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports(options.directory, ReportDelivery::WhenComplete);
    reports.CommitWith(commit);
    StderrNotifier notifier(err);
    TreePrinter printer(tree, out, options.printTree);
    const SystemDone printAndDrop = [&printer](const ResultTree&, ItemId system) { printer.SystemDone(system); };
    const RunInputs inputs{options.systems, options.level, options.census, kMaxBatchSystems, options.printTree};
    const RunOutcome outcome = runFile ? runFile->Render(inputs, tree, reports, notifier, printAndDrop, observers)
                                       : RunGeneration(inputs, dice, tree, reports, notifier, printAndDrop, observers);
    if (!outcome.generated) {
        // The option check above and the run share their bounds; should they
        // ever part, the refusal still says why instead of failing silently.
        std::fprintf(err, "nexmar-cli: --systems: the run refused %d systems; expected %d to %d\n", options.systems,
                     kMinSystems, kMaxBatchSystems);
        return kExitBadInput;
    }
    if (runFile && !runFile->RenderedWhole()) {
        // The file changed under the second reading: no output takes its name.
        return kExitReportsFailed;
    }
    if (jsonExport) {
        jsonExport->Finish();
    }
    const bool complete = FinishRunFiles(options, files, statistics, err) && outcome.reportsComplete;
    bool committed = false;
    std::string failure;
    if (complete) {
        committed = commit.Commit(failure);
    } else if (!commit.IsEmpty()) {
        failure = "no file was replaced, since not every output was complete";
    }
    if (!failure.empty()) {
        std::fprintf(err, "nexmar-cli: %s\n", OneLine(failure).c_str());
    }
    printer.WriteLines();
    if (options.printStatistics) {
        PrintStatistics(out, *statistics);
    }
    if (!Delivered(out, err, committed)) {
        return kExitOutputFailed;
    }
    return committed ? 0 : kExitReportsFailed;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const CliHooks& hooks)
{
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.status == ParsedCommandLine::Status::Exit) {
        std::fputs(parsed.message.c_str(), out);
        return Delivered(out, err, false) ? 0 : kExitOutputFailed;
    }
    if (parsed.status == ParsedCommandLine::Status::Error) {
        std::fprintf(err, "nexmar-cli: %s\n", parsed.message.c_str());
        return kExitBadInput;
    }
    const std::string collision = FindCollision(PlanOutputs(parsed.options));
    if (!collision.empty()) {
        std::fprintf(err, "nexmar-cli: %s\n", collision.c_str());
        return kExitBadInput;
    }
    return RunWithOutputs(parsed.options, out, err, hooks);
}

void HoldClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        // open takes the lowest free descriptor, which is fd itself, since
        // those below it are open by now. Should even /dev/null fail to
        // open, there is nothing better to hold the descriptor with.
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            ::open("/dev/null", O_RDONLY);
        }
    }
}

}  // namespace nexmar
