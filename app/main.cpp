#include "app/generator_app.h"

int main(int argc, char** argv)
{
    nexmar::DisplayGuard noDisplay;
    nexmar::GeneratorApp app(argc, argv);
    noDisplay.Release();
    return app.Run();
}
