// nexmar-cli's command line from fuzz bytes: the arguments are the bytes split
// at each zero byte. Parsing must never throw, crash or touch a file, and
// whatever it decides must be well formed.
#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace {

std::string g_emptyDir;

void Fail(const char* what, const std::vector<std::string>& args)
{
    std::fprintf(stderr, "broken: %s\nargs:", what);
    for (const std::string& arg : args) {
        std::fprintf(stderr, " [%s]", arg.c_str());
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

bool StillEmpty()
{
    DIR* dir = ::opendir(g_emptyDir.c_str());
    int entries = 0;
    while (dir != nullptr && ::readdir(dir) != nullptr) {
        ++entries;
    }
    if (dir != nullptr) {
        ::closedir(dir);
    }
    return dir != nullptr && entries == 2;  // "." and ".."
}

}  // namespace

// Parsing runs in an empty working directory, which must stay empty.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "nexmar-fuzz-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) {
        std::abort();
    }
    g_emptyDir = pattern;
    std::atexit([] { ::rmdir(g_emptyDir.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args{"nexmar-cli", ""};
    for (std::size_t i = 0; i < size && args.size() < 24; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const nexmar::ParsedCommandLine parsed = nexmar::ParseCommandLine(args);
    using Status = nexmar::ParsedCommandLine::Status;
    switch (parsed.status) {
    case Status::Run: {
        const nexmar::CliOptions& options = parsed.options;
        if (options.run.systems < 1 || options.run.systems > nexmar::kMaxBatchSystems) {
            Fail("a run with a count out of range", args);
        }
        if (!parsed.message.empty() || options.directory.empty()) {
            Fail("a run with a message or without a directory", args);
        }
        break;
    }
    case Status::Exit:
        if (parsed.message.empty() || parsed.message.back() != '\n') {
            Fail("help or version text without its line end", args);
        }
        break;
    case Status::Error:
        if (parsed.message.empty() || parsed.message.find('\n') != std::string::npos) {
            Fail("an error that is not one line", args);
        }
        break;
    }
    if (!StillEmpty()) {
        Fail("parsing touched a file", args);
    }
    return 0;
}
