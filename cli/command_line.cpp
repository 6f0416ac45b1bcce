#include "cli/command_line.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <limits>
#include <map>

#include "cli/output_place.h"
#include "core/decimal.h"
#include "core/format.h"
#include "core/quoted_path.h"
#include "map/map_density.h"
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

namespace {

// The options as declared: the texts read later, and each option whose
// presence matters.
struct DeclaredOptions {
    // The numbers are taken as text and read by ParseDecimal, as the dialog
    // reads its number field, so that no other conversion sees them.
    std::string systems = "1";
    std::string level = "low";
    std::string seed;
    std::string where;
    std::string density;
    std::string jump;
    std::string mapSector;
    const CLI::Option* systemsOption = nullptr;
    const CLI::Option* detailOption = nullptr;
    const CLI::Option* censusOption = nullptr;
    const CLI::Option* seedOption = nullptr;
    const CLI::Option* dirOption = nullptr;
    const CLI::Option* jsonOption = nullptr;
    const CLI::Option* statisticsJsonOption = nullptr;
    const CLI::Option* fromJsonOption = nullptr;
    const CLI::Option* svgOption = nullptr;
    const CLI::Option* svgSheetOption = nullptr;
    const CLI::Option* handoutOption = nullptr;
    const CLI::Option* whereOption = nullptr;
    CLI::Option* mapOption = nullptr;
    const CLI::Option* densityOption = nullptr;
    const CLI::Option* jumpOption = nullptr;
    const CLI::Option* mapSectorOption = nullptr;
    const CLI::Option* rulesOption = nullptr;
};

// An option that takes one value, shown in the help as typeName.
template <class Value>
const CLI::Option* AddValue(CLI::App& app, const char* name, Value& value, const char* description,
                            const char* typeName)
{
    return app.add_option(name, value, description)->type_name(typeName);
}

// What the dice roll: the count, the level, the census option and the seed.
void DeclareRollOptions(CLI::App& app, CliOptions& options, DeclaredOptions& declared)
{
    declared.systemsOption = AddValue(app, "--systems", declared.systems,
                                      "Number of systems to generate, 1 to 1000000 (default 1)", "N");
    declared.detailOption =
        app.add_option("--detail", declared.level, "Detail level: low, medium or high (default low)")
            ->type_name("LEVEL")
            ->transform(CLI::IsMember({"low", "medium", "high"}, CLI::ignore_case).description(""));
    declared.censusOption = app.add_flag("--census", options.run.census, "Generate Census, Morale and Productivity");
    declared.seedOption =
        AddValue(app, "--seed", declared.seed, "Seed of the dice, 0 to 18446744073709551615 (default: 64 bits from the system's entropy)", "S");
}

// The outputs, a saved run read instead of the dice, and the systems shown.
void DeclareRunOptions(CLI::App& app, CliOptions& options, DeclaredOptions& declared)
{
    app.add_flag("--tree", options.printTree, "Print the result tree to standard output");
    declared.dirOption = AddValue(app, "--dir", options.directory,
                                  "Directory for the reports (default: the working directory)", "DIR");
    declared.jsonOption = AddValue(app, "--json", options.jsonPath,
                                   "Also write the run as one JSON document to PATH, or to standard output for -",
                                   "PATH");
    app.add_flag("--stats", options.printStatistics,
                 "Print the sector totals and each rolled table's counts against its odds after the run");
    declared.statisticsJsonOption = AddValue(app, "--stats-json", options.statisticsJson,
                                             "Write the same statistics as JSON to PATH, or to standard output for -",
                                             "PATH");
    declared.fromJsonOption = AddValue(app, "--from-json", options.fromJsonPath,
                                       "Render the run saved in the JSON document PATH, or read from standard "
                                       "input for -, instead of rolling dice",
                                       "PATH");
    declared.svgOption = AddValue(app, "--svg", options.pictureDirectory,
                                  "Also write a picture of each system, DIR/system-0001.svg and on, at most 10000",
                                  "DIR");
    declared.svgSheetOption = AddValue(app, "--svg-sheet", options.pictureSheet,
                                       "Also write the whole run as one SVG page to PATH, or to standard output for -",
                                       "PATH");
    declared.handoutOption = AddValue(app, "--handout", options.handout,
                                      "Also write the players' handout, one HTML page of what they may see, to PATH, "
                                      "or to standard output for -",
                                      "PATH");
    app.add_flag("--svg-legend", options.pictureLegend,
                 "Draw the legend of shapes and zone colours under each --svg picture, as the sheet has")
        ->needs("--svg");
    app.add_flag("--player", options.playerPictures,
                 "Draw --svg, --svg-sheet and --map as the players may see them: no Secret system, hidden fields as "
                 "?");
    declared.rulesOption = AddValue(app, "--rules", options.rulesPath,
                                    "Roll on the house rules of the rules file PATH (docs/nexmar-rules.schema.json)",
                                    "PATH");
    app.add_flag("--print-rules", options.printRules,
                 "Write the tables in force (the game's, or those of --rules) as a complete rules file, and stop");
    app.add_flag("--print-odds", options.printOdds,
                 "Write the odds of each outcome of the --detail level's tables that --rules changes, beside the "
                 "game's, and stop");
    declared.whereOption = AddValue(
        app, "--where", declared.where,
        "Show only the systems that QUERY matches (docs/query.md), each under its number in the run", "QUERY");
}

// Parses args into the declared options; false when parsing ends the run,
// with help, the version or a refusal in parsed.
bool ParseArguments(CLI::App& app, const std::vector<std::string>& args, ParsedCommandLine& parsed)
{
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
        return false;
    }
    return true;
}

// A name that says SVG, as the bytes written under it are; a stream has no
// name to say it.
bool HasSvgSuffix(const std::filesystem::path& path)
{
    std::string suffix = path.extension().string();
    for (char& c : suffix) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return suffix == ".svg";
}

// The sector map and how it is drawn.
void DeclareMapOptions(CLI::App& app, CliOptions& options, DeclaredOptions& declared)
{
    declared.mapOption =
        app.add_option("--map", options.map,
                       "Also write the sector map, one sector of the run's hex grid as SVG, to PATH")
            ->type_name("PATH");
    declared.densityOption =
        app.add_option("--density", declared.density,
                 "How full of systems the map is: rift, sparse, scattered, standard (default) or dense, or a "
                 "percentage of hexes from 1 to 100")
            ->type_name("D")
            ->needs(declared.mapOption);
    declared.jumpOption =
        app.add_option("--jump", declared.jump, "The map's routes join systems up to N hexes apart, 1 to 6 (default 2)")
            ->type_name("N")
            ->needs(declared.mapOption);
    declared.mapSectorOption =
        app.add_option("--map-sector", declared.mapSector,
                 "The sector --map draws, from 1 (default), when the run spans more than one")
            ->type_name("N")
            ->needs(declared.mapOption);
}

// Reads the map's options; the first refusal, or empty.
std::string ReadMapOptions(const DeclaredOptions& declared, CliOptions& options)
{
    if (!options.map.empty() && !HasSvgSuffix(options.map)) {
        return "--map: " + QuotedPath(options.map.string()) + " does not end in .svg; the map is written as SVG only";
    }
    if (declared.densityOption->count() > 0) {
        const std::optional<int> density = ParseDensity(declared.density);
        if (!density) {
            return "--density: '" + declared.density +
                   "' is none of rift, sparse, scattered, standard, dense or a percentage from 1 to 100";
        }
        options.mapOptions.density = *density;
    }
    std::uint64_t value = 0;
    if (declared.jumpOption->count() > 0) {
        std::string error = ReadDecimal("--jump", declared.jump, kMinJump, kMaxJump, value);
        if (!error.empty()) {
            return error;
        }
        options.mapOptions.jump = static_cast<int>(value);
    }
    if (declared.mapSectorOption->count() > 0) {
        std::string error = ReadDecimal("--map-sector", declared.mapSector, 1, kMaxBatchSystems, value);
        if (!error.empty()) {
            return error;
        }
        options.mapOptions.sector = static_cast<int>(value);
    }
    options.mapOptions.audience = options.playerPictures ? MapAudience::Players : MapAudience::Referee;
    return {};
}

// Reads the numbers and checks the options together; the first refusal, or
// empty when options holds what was asked.
std::string ReadOptions(const DeclaredOptions& declared, CliOptions& options)
{
    std::string error = RefusedOption({{declared.fromJsonOption, options.fromJsonPath.empty()},
                                       {declared.jsonOption, options.jsonPath.empty()},
                                       {declared.statisticsJsonOption, options.statisticsJson.empty()},
                                       {declared.dirOption, options.directory.empty()},
                                       {declared.svgOption, options.pictureDirectory.empty()},
                                       {declared.svgSheetOption, options.pictureSheet.empty()},
                                       {declared.handoutOption, options.handout.empty()},
                                       {declared.mapOption, options.map.empty()},
                                       {declared.rulesOption, options.rulesPath.empty()}},
                                      !options.fromJsonPath.empty(),
                                      {declared.systemsOption, declared.detailOption, declared.censusOption,
                                       declared.seedOption});
    if (error.empty() && declared.rulesOption->count() > 0 && !options.fromJsonPath.empty()) {
        error = "--rules cannot be given with --from-json, whose document keeps the rules it was rolled with";
    }
    std::uint64_t value = 0;
    if (error.empty()) {
        error = ReadDecimal("--systems", declared.systems, kMinSystems, kMaxBatchSystems, value);
    }
    if (error.empty()) {
        options.run.systems = static_cast<int>(value);
    }
    if (error.empty() && declared.seedOption->count() > 0) {
        error = ReadDecimal("--seed", declared.seed, 0, std::numeric_limits<Seed>::max(), value);
        if (error.empty()) {
            options.run.seed = value;
            options.seedGiven = true;
        }
    }
    if (error.empty() && !IsUsableDirectory(options.directory)) {
        error = "--dir: " + QuotedPath(options.directory.string()) + " is not a writable directory";
    }
    if (error.empty() && declared.svgOption->count() > 0 && !IsUsableDirectory(options.pictureDirectory)) {
        error = "--svg: " + QuotedPath(options.pictureDirectory.string()) + " is not a writable directory";
    }
    if (error.empty() && !options.pictureSheet.empty() && !HasSvgSuffix(options.pictureSheet) &&
        !PlaceOf(options.pictureSheet).IsStream()) {
        error = "--svg-sheet: " + QuotedPath(options.pictureSheet.string()) +
                " does not end in .svg; the sheet is written as SVG only";
    }
    if (error.empty()) {
        error = ReadMapOptions(declared, options);
    }
    return error;
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
    DeclaredOptions declared;
    DeclareRollOptions(app, options, declared);
    DeclareRunOptions(app, options, declared);
    DeclareMapOptions(app, options, declared);
    if (!ParseArguments(app, args, parsed)) {
        return parsed;
    }
    const std::string error = ReadOptions(declared, options);
    if (declared.whereOption->count() > 0) {
        options.run.query = declared.where;
    }
    if (!error.empty()) {
        parsed.status = ParsedCommandLine::Status::Error;
        parsed.message = OneLine(error);
        return parsed;
    }
    const std::map<std::string, DetailLevel> levels{
        {"low", DetailLevel::Low}, {"medium", DetailLevel::Medium}, {"high", DetailLevel::High}};
    options.run.level = levels.at(declared.level);
    return parsed;
}

}  // namespace nexmar
