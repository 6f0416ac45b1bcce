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

class GeneratorDialog;

// `nexmar FILE`: once the dialog runs, it opens FILE, the first argument
// that is no option (Qt's own are taken out before).
void OpenFileArgument(GeneratorDialog& dialog, const QStringList& arguments);

inline constexpr const char* kNoDisplayMessage =
    "nexmar: no display could be opened; run it in a desktop session or under xvfb-run, "
    "or use nexmar-cli to generate without a window\n";

// Guards the construction of the application object against a missing
// display. Only Qt knows which window-system plugin it will load (from
// -platform, QT_QPA_PLATFORM, the session type or its own default) and
// whether that plugin reaches a display, and Qt offers no way to ask before
// the application object is built; when no plugin can start, it ends the
// process with a fatal message and an abort. From construction to Release,
// a fatal message from Qt instead prints kNoDisplayMessage and ends the
// program with status 1, and Qt's other messages are held back, so that a
// failed start says one line only; Release passes them on.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard() { Release(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    void Release();

private:
    QtMessageHandler previous_;
    bool released_ = false;
};

}  // namespace nexmar
