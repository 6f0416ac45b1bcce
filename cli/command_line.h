#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "map/sector_map_output.h"
#include "run/generation_run.h"

namespace nexmar {

inline constexpr int kMaxBatchSystems = 1000000;

struct CliOptions {
    // The count, level, census option, seed and query asked for; of
    // --from-json, the saved run's.
    RunSettings run;
    bool seedGiven = false;  // false: the seed comes from the system's entropy
    bool printTree = false;
    std::string jsonPath;  // empty: no JSON; "-": standard output (an empty path is refused)
    std::string fromJsonPath;  // empty: roll the dice (an empty path is refused)
    std::filesystem::path directory = ".";
    bool printStatistics = false;
    std::filesystem::path statisticsJson;  // empty: none written
    std::filesystem::path pictureDirectory;  // empty: no picture files
    std::filesystem::path pictureSheet;      // empty: no sheet
    std::filesystem::path handout;           // empty: no players' handout
    std::filesystem::path map;               // empty: no sector map
    MapOptions mapOptions;                   // its density, jump range and sector; the audience follows --player
    bool playerPictures = false;             // --svg, --svg-sheet and --map draw what the players may see
    bool pictureLegend = false;              // each --svg picture carries its level's legend
    std::filesystem::path rulesPath;         // empty: the game's own tables
    bool printRules = false;                 // write the rules in force as a rules file, and stop
    bool printOdds = false;                  // write the odds the rules change, and stop
};

struct ParsedCommandLine {
    enum class Status { Run, Exit, Error } status = Status::Run;
    CliOptions options;
    std::string message;  // help or version text to print, or the one-line error
};

// args[0] is the program name. Touches no file.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Exit status: 0 done, 1 the reports or standard output failed to open or to
// write, 2 bad input. Each failure also says why on err.
inline constexpr int kExitReportsFailed = 1;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitBadInput = 2;

// message as one line: control characters, which an argument may hold, are
// shown escaped.
std::string OneLine(const std::string& message);

}  // namespace nexmar
