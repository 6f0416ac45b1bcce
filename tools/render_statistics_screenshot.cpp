// Renders the statistics window of a High-detail run, offscreen, into a PNG
// for the README:
//   nexmar-statistics-screenshot docs/statistics.png

#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QListWidget>

#include <cstdio>

#include "app/artwork.h"
#include "app/statistics_window.h"
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: nexmar-statistics-screenshot <output.png>\n", stderr);
        return 2;
    }
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
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

    nexmar::StatisticsWindow window(statistics, QStringLiteral("2000 High systems, seed 2026"));
    window.show();
    // A table rolled given an earlier result, drawn for one given value.
    window.findChild<QListWidget*>(QStringLiteral("tableList"))
        ->setCurrentRow(static_cast<int>(nexmar::HighTable::Type));
    window.findChild<QComboBox*>(QStringLiteral("givenBox"))->setCurrentIndex(2);
    QApplication::processEvents();

    if (!window.grab().save(output, "PNG")) {
        std::fprintf(stderr, "nexmar-statistics-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
