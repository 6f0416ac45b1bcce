#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace nexmar {

std::optional<int> AnswerCommandLine(int& argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("nexmar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NEXMAR_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the star-system generator dialog. Every run writes its reports TNXT001 "
                       "(comma-separated text) and TNXH001 (HTML) into the working directory."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on command-line options."));
    parser.addOption(help);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A JSON document of a run to open."),
                                 QStringLiteral("[file]"));
    const QCommandLineOption version = parser.addVersionOption();

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Any other argument is left to QApplication, which takes out Qt's own
    // options (-platform, -style, ...) but needs a display to do so.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        // The usage line names the program from a QCoreApplication's
        // arguments; unlike QApplication it needs no display.
        const QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

}  // namespace nexmar
