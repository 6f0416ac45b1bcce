#pragma once

#include <stdio.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_app.h"

// nexmar-cli run in-process, for every test that needs its results; free of
// any test framework. Installs no signal handler: tests that send signals run
// the program itself.
namespace nexmar::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// args without the program's name.
inline CliRun RunNexmarCli(std::vector<std::string> args, const CliHooks& hooks = {})
{
    args.insert(args.begin(), "nexmar-cli");
    char* outBytes = nullptr;
    char* errBytes = nullptr;
    std::size_t outSize = 0;
    std::size_t errSize = 0;
    std::FILE* out = ::open_memstream(&outBytes, &outSize);
    std::FILE* err = ::open_memstream(&errBytes, &errSize);
    CliRun run;
    run.status = RunCli(args, out, err, hooks);
    std::fclose(out);
    std::fclose(err);
    run.out.assign(outBytes, outSize);
    run.err.assign(errBytes, errSize);
    std::free(outBytes);
    std::free(errBytes);
    return run;
}

}  // namespace nexmar::testing
