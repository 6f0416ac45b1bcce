#include "app/command_line.h"
#include "app/generator_app.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> status = nexmar::AnswerCommandLine(argc, argv)) {
        return *status;
    }
    nexmar::DisplayGuard noDisplay;
    nexmar::GeneratorApp app(argc, argv);
    noDisplay.Release();
    return app.Run();
}
