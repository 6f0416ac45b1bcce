#include <cstdio>

#include "app/command_line.h"
#include "app/generator_app.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> status = nexmar::AnswerCommandLine(argc, argv)) {
        return *status;
    }
    if (!nexmar::DisplayAvailable()) {
        std::fputs("nexmar: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it under xvfb-run, "
                   "or use nexmar-cli to generate without a window\n",
                   stderr);
        return 1;
    }
    nexmar::GeneratorApp app(argc, argv);
    return app.Run();
}
