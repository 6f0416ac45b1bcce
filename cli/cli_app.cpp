#include "cli/cli_app.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <map>

#include "core/format.h"
#include "core/report_files.h"
#include "cli/json_output.h"
#include "cli/json_run_file.h"
#include "run/json_export.h"

namespace nexmar {

namespace {

// Plain decimal digits only: no sign, no base prefix, no exponent.
CLI::Validator DecimalDigits(const std::string& range)
{
    return CLI::Validator(
        [range](std::string& text) -> std::string {
            const bool digits = !text.empty() && text.size() <= 10 &&
                                text.find_first_not_of("0123456789") == std::string::npos;
            return digits ? std::string() : "'" + text + "' is not an integer from " + range;
        },
        "");
}

class StderrNotifier final : public Notifier {
public:
    explicit StderrNotifier(std::FILE* err) : err_(err) {}
    void Notify(const std::string& message) override { std::fprintf(err_, "%s\n", message.c_str()); }

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

void PrintSubtree(std::FILE* out, const ResultTree& tree, ItemId item, int depth)
{
    const ResultTree::Item& node = tree.at(item);
    std::fprintf(out, "%*s[%d] %s\n", 2 * depth, "", ImageIndex(node.image), node.text.c_str());
    for (const ItemId child : node.children) {
        PrintSubtree(out, tree, child, depth + 1);
    }
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
    CLI::Option* systemsOption = app.add_option("--systems", systems, "Number of systems to generate, 1 to 1000000 (default 1)")
        ->type_name("N")
        ->check(DecimalDigits("1 to 1000000"))
        ->check(CLI::Range(1, kMaxBatchSystems).description(""));
    const std::map<std::string, DetailLevel> levels{
        {"low", DetailLevel::Low}, {"medium", DetailLevel::Medium}, {"high", DetailLevel::High}};
    std::string level = "low";
    CLI::Option* detailOption = app.add_option("--detail", level, "Detail level: low, medium or high (default low)")
        ->type_name("LEVEL")
        ->transform(CLI::IsMember({"low", "medium", "high"}, CLI::ignore_case).description(""));
    CLI::Option* censusOption = app.add_flag("--census", options.census, "Generate Census, Morale and Productivity");
    std::string seed;
    CLI::Option* seedOption = app.add_option("--seed", seed, "Seed of the dice, 0 to 4294967295 (default: from the clock)")
        ->type_name("S")
        ->check(DecimalDigits("0 to 4294967295"))
        ->check(CLI::Range(0.0, 4294967295.0).description(""));
    app.add_flag("--tree", options.printTree, "Print the result tree to standard output");
    app.add_option("--dir", options.directory, "Directory for the reports (default: the working directory)")
        ->type_name("DIR");
    app.add_option("--json", options.jsonPath, "Also write the run as one JSON document to PATH, or to standard output for -")
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
    options.systems = std::stoi(systems);
    options.level = levels.at(level);
    if (!seed.empty()) {
        options.seed = static_cast<std::uint32_t>(std::stoul(seed));
    }
    if (options.jsonPath == "-" && options.printTree) {
        parsed.status = ParsedCommandLine::Status::Error;
        parsed.message = "--json - and --tree cannot share standard output";
        return parsed;
    }
    if (!IsUsableDirectory(options.directory)) {
        parsed.status = ParsedCommandLine::Status::Error;
        parsed.message = OneLine("--dir: '" + options.directory.string() + "' is not a writable directory");
    }
    return parsed;
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.status == ParsedCommandLine::Status::Exit) {
        std::fputs(parsed.message.c_str(), out);
        return 0;
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
    ReportFiles reports(options.directory);
    StderrNotifier notifier(err);

    // Each system is printed as it completes and then dropped, so memory
    // stays flat however many systems a batch asks for.
    bool rootPrinted = false;
    const SystemDone printAndDrop = [&](const ResultTree&, ItemId system) {
        if (options.printTree) {
            if (!rootPrinted) {
                const ResultTree::Item& root = tree.at(tree.at(system).parent);
                std::fprintf(out, "[%d] %s\n", ImageIndex(root.image), root.text.c_str());
                rootPrinted = true;
            }
            PrintSubtree(out, tree, system, 1);
        }
        tree.DropFrom(system);
    };
    const RunInputs inputs{options.systems, options.level, options.census, kMaxBatchSystems, options.printTree};
    const RunOutcome outcome = runFile ? runFile->Render(inputs, tree, reports, notifier, printAndDrop, observers)
                                       : RunGeneration(inputs, dice, tree, reports, notifier, printAndDrop, observers);
    bool jsonWritten = true;
    if (json) {
        jsonExport->Finish();
        std::string error;
        jsonWritten = json->Commit(error);
        if (!jsonWritten) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
        }
    }
    std::fflush(out);
    return outcome.reportsComplete && jsonWritten ? 0 : kExitReportsFailed;
}

}  // namespace nexmar
