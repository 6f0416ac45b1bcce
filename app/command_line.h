#pragma once

#include <optional>

namespace nexmar {

// Answers --help and --version on standard output, before any window or
// display is needed. Returns the exit status when the command line was
// answered, or nothing when the dialog should start.
std::optional<int> AnswerCommandLine(int& argc, char** argv);

}  // namespace nexmar
