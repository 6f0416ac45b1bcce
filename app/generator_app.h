#pragma once

#include <QApplication>

namespace nexmar {

// The program: the dialog runs modally, and when it closes the program ends.
class GeneratorApp final : public QApplication {
    Q_OBJECT

public:
    GeneratorApp(int& argc, char** argv);
    int Run();
};

// Whether a window can be shown at all: a platform chosen explicitly, or an
// X11 or Wayland display to connect to.
bool DisplayAvailable();

}  // namespace nexmar
