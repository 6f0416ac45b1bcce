// Renders the statistics window of a High-detail run, offscreen, into two
// PNGs for the README: the sector tab it opens on, and the dice checks:
//   nexmar-statistics-screenshot docs/statistics-sector.png docs/statistics.png

#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>

#include <cstdio>

#include "app/kit/artwork.h"
#include "app/windows/statistics_window.h"
#include "core/dice.h"
#include "core/report_files.h"
#include "run/generation_run.h"

namespace {

class PrintedNotifier final : public nexmar::Notifier {
public:
    void Notify(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" NEXMAR_SCREENSHOT_SCREEN);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: nexmar-statistics-screenshot <sector.png> <dice.png>\n", stderr);
        return 2;
    }
    app.setWindowIcon(nexmar::ApplicationIcon());

    // A sector of 2,000 systems, as a batch run would make it; no report is kept.
    constexpr int kSystems = 2000;
    nexmar::SeededDice dice(2026);
    nexmar::ResultTree tree;
    nexmar::ReportFiles reports("/dev/null", "/dev/null");
    PrintedNotifier notifier;
    nexmar::RunStatistics statistics(nexmar::DetailLevel::High, true);
    nexmar::RunOutput* const observers[] = {&statistics};
    nexmar::RunGeneration({{kSystems, nexmar::DetailLevel::High, true}, kSystems, false}, dice, tree, reports, notifier,
                          [&tree](const nexmar::ResultTree&, nexmar::ItemId system) { tree.DropFrom(system); },
                          observers);

    nexmar::StatisticsWindow window(statistics, nexmar::SectorEdits(2026), QStringLiteral("2000 High systems, seed 2026"));
    window.show();
    QApplication::processEvents();
    const auto save = [&window](const char* name) {
        const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(name));
        if (!window.grab().save(output, "PNG")) {
            std::fprintf(stderr, "nexmar-statistics-screenshot: cannot write %s\n", qPrintable(output));
            return false;
        }
        return true;
    };
    if (!save(argv[1])) {
        return 1;
    }
    // A table rolled given an earlier result, drawn for one given value.
    window.findChild<QTabWidget*>(QStringLiteral("statisticsTabs"))->setCurrentIndex(1);
    window.findChild<QListWidget*>(QStringLiteral("tableList"))
        ->setCurrentRow(static_cast<int>(nexmar::HighTable::Type));
    window.findChild<QComboBox*>(QStringLiteral("givenBox"))->setCurrentIndex(2);
    QApplication::processEvents();
    if (!save(argv[2])) {
        return 1;
    }
    return 0;
}
