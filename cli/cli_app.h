#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/output_commit.h"

namespace nexmar {

// What the program's main gives a run, and a test may preset.
struct CliHooks {
    // Told of the temporary names the outputs take and of their commit, for
    // the signal handler; none in a test that runs in-process.
    OutputWatch* watch = nullptr;
    UnnamedFiles unnamed = UnnamedFiles::Allowed;
};

// Parses args (args[0] is the program name), chooses the outputs and refuses
// two at one file before any is touched, then runs. Exit status: 0 done, 1
// the reports, another output or standard output failed to open or to write,
// 2 bad input. Each failure also says why on err. Installs no signal handler.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const CliHooks& hooks = {});

// Started with standard input, output or error closed, the process would hand
// that descriptor to the first report it opens, and whatever went to the
// closed stream would land in the report. Each closed one is held on
// /dev/null, read-only, so that writes to it fail and are reported instead.
void HoldClosedStandardStreams();

}  // namespace nexmar
