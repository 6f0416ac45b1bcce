#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "run/generation_run.h"

namespace nexmar {

inline constexpr int kMaxBatchSystems = 1000000;

struct CliOptions {
    int systems = 1;
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    std::optional<std::uint32_t> seed;
    bool printTree = false;
    std::string jsonPath;  // empty: no JSON; "-": standard output
    std::string fromJsonPath;  // empty: roll the dice
    std::filesystem::path directory = ".";
};

struct ParsedCommandLine {
    enum class Status { Run, Exit, Error } status = Status::Run;
    CliOptions options;
    std::string message;  // help or version text to print, or the one-line error
};

// args[0] is the program name. Touches no file.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Exit status: 0 done, 1 the reports failed to open or to write, 2 bad input.
inline constexpr int kExitReportsFailed = 1;
inline constexpr int kExitBadInput = 2;

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace nexmar
