// Draws SVG documents into PNGs the way the dialog's picture pane and its
// Export Picture draw them (Qt SVG, on white), offscreen, to compare with
// what rsvg-convert and a browser make of the same files:
//   nexmar-svg-png SCALE IN.svg OUT.png [IN.svg OUT.png ...]

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "app/panes/picture_pane.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const double scale = argc > 1 ? std::atof(argv[1]) : 0;
    if (argc < 4 || argc % 2 != 0 || scale <= 0) {
        std::fputs("usage: nexmar-svg-png SCALE IN.svg OUT.png [IN.svg OUT.png ...]\n", stderr);
        return 2;
    }
    for (int arg = 2; arg < argc; arg += 2) {
        QFile in(QString::fromLocal8Bit(argv[arg]));
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "nexmar-svg-png: cannot read %s\n", argv[arg]);
            return 1;
        }
        if (!nexmar::SvgImage(in.readAll(), scale).save(QString::fromLocal8Bit(argv[arg + 1]), "PNG")) {
            std::fprintf(stderr, "nexmar-svg-png: cannot write %s\n", argv[arg + 1]);
            return 1;
        }
    }
    return 0;
}
