#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv)
{
    nexmar::HoldClosedStandardStreams();
    return nexmar::RunCli(std::vector<std::string>(argv, argv + argc), stdout, stderr);
}
