#include "cli/command_line.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <limits>
#include <map>

#include "core/decimal.h"
#include "core/format.h"
#include "run/generation_run.h"

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

bool IsUsableDirectory(const std::filesystem::path& directory)
{
    std::error_code error;
    return std::filesystem::is_directory(directory, error) && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

// The refusal of a path option given an empty path, which names no file
// (taken as no option at all, it would run something else than was asked), or
// of an option that --from-json fixes; empty when there is none.
std::string RefusedOption(std::initializer_list<std::pair<const CLI::Option*, bool>> pathIsEmpty, bool fromJson,
                          std::initializer_list<const CLI::Option*> fixedByFromJson)
{
    for (const auto& [option, empty] : pathIsEmpty) {
        if (option->count() > 0 && empty) {
            return option->get_name() + ": the path is empty";
        }
    }
    for (const CLI::Option* fixed : fixedByFromJson) {
        if (fromJson && fixed->count() > 0) {
            return fixed->get_name() + " cannot be given with --from-json, which takes the count, the level, the "
                                       "census option and the seed from the file";
        }
    }
    return {};
}

}  // namespace

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
    const CLI::Option* dirOption =
        app.add_option("--dir", options.directory, "Directory for the reports (default: the working directory)")
            ->type_name("DIR");
    const CLI::Option* jsonOption =
        app.add_option("--json", options.jsonPath,
                       "Also write the run as one JSON document to PATH, or to standard output for -")
            ->type_name("PATH");
    app.add_flag("--stats", options.printStatistics,
                 "Print the sector totals and each rolled table's counts against its odds after the run");
    const CLI::Option* statisticsJsonOption =
        app.add_option("--stats-json", options.statisticsJson, "Write the same statistics as JSON to PATH")
            ->type_name("PATH");
    const CLI::Option* fromJsonOption =
        app.add_option("--from-json", options.fromJsonPath,
                       "Render the run saved in the JSON document PATH, or read from standard input for -, "
                       "instead of rolling dice")
            ->type_name("PATH");
    const CLI::Option* svgOption =
        app.add_option("--svg", options.pictureDirectory,
                       "Also write a picture of each system, DIR/system-0001.svg and on, at most 10000")
            ->type_name("DIR");
    const CLI::Option* svgSheetOption =
        app.add_option("--svg-sheet", options.pictureSheet, "Also write the whole run as one SVG page to PATH")
            ->type_name("PATH");
    std::string where;
    const CLI::Option* whereOption =
        app.add_option("--where", where,
                       "Show only the systems that QUERY matches (docs/query.md), each under its number in the run")
            ->type_name("QUERY");

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
    std::string error = RefusedOption({{fromJsonOption, options.fromJsonPath.empty()},
                                       {jsonOption, options.jsonPath.empty()},
                                       {statisticsJsonOption, options.statisticsJson.empty()},
                                       {dirOption, options.directory.empty()},
                                       {svgOption, options.pictureDirectory.empty()},
                                       {svgSheetOption, options.pictureSheet.empty()}},
                                      !options.fromJsonPath.empty(),
                                      {systemsOption, detailOption, censusOption, seedOption});
    std::uint64_t value = 0;
    if (error.empty()) {
        error = ReadDecimal("--systems", systems, kMinSystems, kMaxBatchSystems, value);
    }
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
    if (error.empty() && svgOption->count() > 0 && !IsUsableDirectory(options.pictureDirectory)) {
        error = "--svg: '" + options.pictureDirectory.string() + "' is not a writable directory";
    }
    if (whereOption->count() > 0) {
        options.where = where;
    }
    if (!error.empty()) {
        parsed.status = ParsedCommandLine::Status::Error;
        parsed.message = OneLine(error);
        return parsed;
    }
    options.level = levels.at(level);
    return parsed;
}

}  // namespace nexmar
