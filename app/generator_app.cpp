#include "app/generator_app.h"

#include <cstdlib>

#include "app/artwork.h"
#include "app/generator_dialog.h"
#include "app/user_prompts.h"

namespace nexmar {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

GeneratorApp::GeneratorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("nexmar"));
    setApplicationVersion(QStringLiteral(NEXMAR_VERSION));
    setDesktopFileName(QStringLiteral("nexmar"));
    setWindowIcon(ApplicationIcon());
}

int GeneratorApp::Run()
{
    DialogPrompts prompts;
    GeneratorDialog dialog(prompts, ClockSeed(), ".");
    dialog.exec();
    return 0;
}

bool DisplayAvailable()
{
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

}  // namespace nexmar
