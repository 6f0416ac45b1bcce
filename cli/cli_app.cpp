#include "cli/cli_app.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <CLI/CLI.hpp>
#include <limits>
#include <map>

#include "core/decimal.h"
#include "core/format.h"
#include "core/report_files.h"
#include "cli/json_output.h"
#include "cli/json_run_file.h"
#include "run/json_export.h"
#include "run/tree_renderer.h"
#include "run/statistics_report.h"

namespace nexmar {

namespace {

// Reads a numeric option's text as a base-10 integer from low to high.
// Returns the error, which names the option, its text and the range, or
// nothing when value is set.
std::string ReadDecimal(const char* option, const std::string& text, std::uint64_t low, std::uint64_t high,
                        std::uint64_t& value)
{
    const DecimalParse result = ParseDecimal(text, low, high, value);
    if (result == DecimalParse::Ok) {
        return {};
    }
    return DecimalRefusal(option, text, result, low, high);
}

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

// An error names the argument it refuses, which may hold any bytes: control
// characters are shown escaped so the message stays one line.
std::string OneLine(const std::string& message)
{
    std::string line;
    for (const char c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            line += Format("\\x%02X", static_cast<unsigned char>(c));
        } else {
            line += c;
        }
    }
    return line;
}

bool IsUsableDirectory(const std::filesystem::path& directory)
{
    std::error_code error;
    return std::filesystem::is_directory(directory, error) && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

// Output that never arrived is a failure like any other, whether the disk is
// full or standard output was closed: it is said on err, once, at the end,
// with its cause when the last flush tells it.
bool Delivered(std::FILE* out, std::FILE* err)
{
    errno = 0;
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return true;
    }
    const int cause = errno;
    std::fprintf(err, "nexmar-cli: could not write to standard output%s%s\n", cause != 0 ? ": " : "",
                 cause != 0 ? std::strerror(cause) : "");
    return false;
}

// A signal ends the run at once. The reports, delivered when complete, are
// left as the previous run left them; the signal is reported as a failure.
extern "C" void ReportInterruption(int)
{
    constexpr char kMessage[] = "nexmar-cli: interrupted before the run completed\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(kExitReportsFailed);
}

// Catches the signals that ask a run to stop for as long as it lives.
class InterruptionReport {
public:
    InterruptionReport()
    {
        struct sigaction action {};
        action.sa_handler = ReportInterruption;
        ::sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            ::sigaction(kSignals[i], &action, &previous_[i]);
        }
    }
    ~InterruptionReport()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            ::sigaction(kSignals[i], &previous_[i], nullptr);
        }
    }
    InterruptionReport(const InterruptionReport&) = delete;
    InterruptionReport& operator=(const InterruptionReport&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[std::size(kSignals)] {};
};

bool WriteStatisticsJson(const std::filesystem::path& path, const RunStatistics& statistics, std::FILE* err)
{
    const std::string json = StatisticsJson(statistics);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(json.data(), 1, json.size(), file) == json.size();
    const bool closed = file != nullptr && std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(err, "nexmar-cli: could not write the statistics to %s\n", OneLine(path.string()).c_str());
        return false;
    }
    return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    ParsedCommandLine parsed;
    CliOptions& options = parsed.options;
    CLI::App app("Generates star systems headlessly and writes the reports TNXT001 (comma-separated text) and "
                 "TNXH001 (HTML) into the chosen directory.",
                 "nexmar-cli");
    app.set_version_flag("--version", "nexmar-cli " NEXMAR_VERSION);

    std::string systems = "1";
    // The numbers are taken as text and read by ParseDecimal, as the dialog
    // reads its number field, so that no other conversion sees them.
    const CLI::Option* systemsOption =
        app.add_option("--systems", systems, "Number of systems to generate, 1 to 1000000 (default 1)")
            ->type_name("N");
    const std::map<std::string, DetailLevel> levels{
        {"low", DetailLevel::Low}, {"medium", DetailLevel::Medium}, {"high", DetailLevel::High}};
    std::string level = "low";
    const CLI::Option* detailOption = app.add_option("--detail", level, "Detail level: low, medium or high (default low)")
        ->type_name("LEVEL")
        ->transform(CLI::IsMember({"low", "medium", "high"}, CLI::ignore_case).description(""));
    const CLI::Option* censusOption = app.add_flag("--census", options.census, "Generate Census, Morale and Productivity");
    std::string seed;
    const CLI::Option* seedOption =
        app.add_option("--seed", seed, "Seed of the dice, 0 to 4294967295 (default: from the clock)")->type_name("S");
    app.add_flag("--tree", options.printTree, "Print the result tree to standard output");
    app.add_option("--dir", options.directory, "Directory for the reports (default: the working directory)")
        ->type_name("DIR");
    app.add_option("--json", options.jsonPath, "Also write the run as one JSON document to PATH, or to standard output for -")
        ->type_name("PATH");
    app.add_flag("--stats", options.printStatistics,
                 "Print the sector totals and each rolled table's counts against its odds after the run");
    app.add_option("--stats-json", options.statisticsJson, "Write the same statistics as JSON to PATH")
        ->type_name("PATH");
    app.add_option("--from-json", options.fromJsonPath,
                   "Render the run saved in the JSON document PATH instead of rolling dice")
        ->type_name("PATH");

    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            parsed.status = ParsedCommandLine::Status::Exit;
            parsed.message = dynamic_cast<const CLI::CallForHelp*>(&error) ? app.help() : error.what();
            if (parsed.message.empty() || parsed.message.back() != '\n') {
                parsed.message += '\n';
            }
        } else {
            parsed.status = ParsedCommandLine::Status::Error;
            parsed.message = OneLine(error.what());
        }
        return parsed;
    }
    for (const CLI::Option* fixed : {systemsOption, detailOption, censusOption, seedOption}) {
        if (!options.fromJsonPath.empty() && fixed->count() > 0) {
            parsed.status = ParsedCommandLine::Status::Error;
            parsed.message = fixed->get_name() + " cannot be given with --from-json, which takes the count, the level, "
                                                 "the census option and the seed from the file";
            return parsed;
        }
    }
    std::uint64_t value = 0;
    std::string error = ReadDecimal("--systems", systems, kMinSystems, kMaxBatchSystems, value);
    if (error.empty()) {
        options.systems = static_cast<int>(value);
    }
    if (error.empty() && seedOption->count() > 0) {
        error = ReadDecimal("--seed", seed, 0, std::numeric_limits<std::uint32_t>::max(), value);
        if (error.empty()) {
            options.seed = static_cast<std::uint32_t>(value);
        }
    }
    if (error.empty() && options.jsonPath == "-" && (options.printTree || options.printStatistics)) {
        error = options.printTree ? "--json - and --tree cannot share standard output"
                                  : "--json - and --stats cannot share standard output";
    }
    if (error.empty() && !IsUsableDirectory(options.directory)) {
        error = "--dir: '" + options.directory.string() + "' is not a writable directory";
    }
    if (!error.empty()) {
        parsed.status = ParsedCommandLine::Status::Error;
        parsed.message = OneLine(error);
        return parsed;
    }
    options.level = levels.at(level);
    return parsed;
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.status == ParsedCommandLine::Status::Exit) {
        std::fputs(parsed.message.c_str(), out);
        return Delivered(out, err) ? 0 : kExitOutputFailed;
    }
    if (parsed.status == ParsedCommandLine::Status::Error) {
        std::fprintf(err, "nexmar-cli: %s\n", parsed.message.c_str());
        return kExitBadInput;
    }
    CliOptions options = parsed.options;
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
    std::unique_ptr<JsonOutput> json;
    std::unique_ptr<JsonExport> jsonExport;
    std::vector<RecordObserver*> observers;
    if (!options.jsonPath.empty()) {
        std::string error;
        json = JsonOutput::Open(options.jsonPath, out, error);
        if (!json) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return kExitReportsFailed;
        }
        jsonExport = std::make_unique<JsonExport>(JsonRunHeader{"nexmar-cli", seed, options.level, options.census},
                                                  [&json](std::string_view text) { json->Write(text); });
        observers.push_back(jsonExport.get());
    }
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports(options.directory, ReportDelivery::WhenComplete);
    StderrNotifier notifier(err);
    const InterruptionReport interruptionReport;

    // Each system is printed as it completes and then dropped, so memory
    // stays flat however many systems a batch asks for. The printed lines
    // go out in blocks of about a megabyte rather than a write per item.
    constexpr std::size_t kTreeBlockBytes = std::size_t{1} << 20;
    std::string lines;
    bool rootPrinted = false;
    const auto writeLines = [&] {
        std::fwrite(lines.data(), 1, lines.size(), out);
        lines.clear();
    };
    const SystemDone printAndDrop = [&](const ResultTree&, ItemId system) {
        if (options.printTree) {
            // The first system comes with the root above it; the later ones
            // alone, their elders being dropped.
            if (!rootPrinted) {
                AppendTreeLines(lines, tree, tree.at(system).parent, 0);
                rootPrinted = true;
            } else {
                AppendTreeLines(lines, tree, system, 1);
            }
            if (lines.size() >= kTreeBlockBytes) {
                writeLines();
            }
        }
        tree.DropFrom(system);
    };
    const RunInputs inputs{options.systems, options.level, options.census, kMaxBatchSystems, options.printTree};
    std::optional<RunStatistics> statistics;
    if (options.printStatistics || !options.statisticsJson.empty()) {
        observers.push_back(&statistics.emplace(options.level, options.census));
    }
    const RunOutcome outcome = runFile ? runFile->Render(inputs, tree, reports, notifier, printAndDrop, observers)
                                       : RunGeneration(inputs, dice, tree, reports, notifier, printAndDrop, observers);
    if (!outcome.generated) {
        // The option check above and the run share their bounds; should they
        // ever part, the refusal still says why instead of failing silently.
        std::fprintf(err, "nexmar-cli: --systems: the run refused %d systems; expected %d to %d\n", options.systems,
                     kMinSystems, kMaxBatchSystems);
        return kExitBadInput;
    }
    writeLines();
    if (options.printStatistics) {
        PrintStatistics(out, *statistics);
    }
    bool jsonWritten = true;
    if (json) {
        jsonExport->Finish();
        std::string error;
        jsonWritten = json->Commit(error);
        if (!jsonWritten) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
        }
    }
    const bool statisticsWritten =
        options.statisticsJson.empty() || WriteStatisticsJson(options.statisticsJson, *statistics, err);
    if (!Delivered(out, err)) {
        return kExitOutputFailed;
    }
    return outcome.reportsComplete && jsonWritten && statisticsWritten ? 0 : kExitReportsFailed;
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
