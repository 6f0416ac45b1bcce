#include "app/generator_app.h"

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

namespace {

// A message with copies of its context's strings, which may belong to a
// plugin that is unloaded by the time the message is passed on.
struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

std::mutex g_heldMutex;
std::vector<HeldMessage> g_held;

const char* OrNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplayMessage, stderr);
        std::_Exit(1);
    }
    const std::lock_guard<std::mutex> lock(g_heldMutex);
    g_held.push_back({type, context.file ? context.file : "", context.line, context.function ? context.function : "",
                      context.category ? context.category : "", text});
}

}  // namespace

GeneratorApp::GeneratorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("nexmar"));
    setApplicationVersion(QStringLiteral(NEXMAR_VERSION));
    setDesktopFileName(QStringLiteral("io.github.nexmar.Nexmar"));
    setWindowIcon(ApplicationIcon());
}

void OpenFileArgument(GeneratorDialog& dialog, const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            // Opened from the event loop, over the dialog already shown.
            QTimer::singleShot(0, &dialog, [&dialog, argument] { dialog.OpenFile(argument); });
            return;
        }
    }
}

int GeneratorApp::Run()
{
    DialogPrompts prompts;
    GeneratorDialog dialog(prompts, SeedSource::Entropy(), ".");
    // Both from the event loop, over the dialog already shown: the edits a
    // crash left first, then the file named.
    QTimer::singleShot(0, &dialog, &GeneratorDialog::OfferRecovery);
    OpenFileArgument(dialog, arguments());
    dialog.exec();
    return 0;
}

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(HoldOrEnd))
{
}

void DisplayGuard::Release()
{
    if (released_) {
        return;
    }
    released_ = true;
    qInstallMessageHandler(previous_);
    std::vector<HeldMessage> held;
    {
        const std::lock_guard<std::mutex> lock(g_heldMutex);
        held.swap(g_held);
    }
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(OrNull(message.file), message.line, OrNull(message.function),
                                         OrNull(message.category));
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace nexmar
