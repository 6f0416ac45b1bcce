// Writes the picture of every system of a seeded run, with census, as
// DIR/system-0001.svg and so on, and the whole run as DIR/sheet.svg, for
// checks by programs that did not draw them.
//
//   write_pictures low|medium|high SYSTEMS SEED DIR

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/dice.h"
#include "core/report_files.h"
#include "core/result_tree.h"
#include "run/generation_run.h"
#include "run/picture_sheet.h"

namespace {

using namespace nexmar;

class StderrNotifier final : public Notifier {
public:
    void Notify(const std::string& message) override { std::cerr << message << "\n"; }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: write_pictures low|medium|high SYSTEMS SEED DIR\n";
        return 2;
    }
    const std::string levelName = argv[1];
    RunInputs inputs;
    inputs.level = levelName == "high"     ? DetailLevel::High
                   : levelName == "medium" ? DetailLevel::Medium
                                           : DetailLevel::Low;
    inputs.systems = std::atoi(argv[2]);
    inputs.maxSystems = 10000;
    inputs.census = true;
    inputs.renderTree = false;
    const std::filesystem::path dir = argv[4];

    bool failed = false;
    SystemPictures files([&](int number, const std::string& svg) {
        char name[32];
        std::snprintf(name, sizeof name, "system-%04d.svg", number);
        std::ofstream file(dir / name, std::ios::binary);
        failed |= !(file << svg).flush();
    });
    std::ofstream sheetFile(dir / "sheet.svg", std::ios::binary);
    PictureSheet sheet(inputs.level, inputs.systems, [&](std::string_view bytes) { sheetFile << bytes; });
    RecordObserver* const observers[] = {&files, &sheet};

    SeededDice dice(static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
    ResultTree tree;
    ReportFiles reports(dir);
    StderrNotifier notifier;
    const RunOutcome outcome = RunGeneration(inputs, dice, tree, reports, notifier, {}, observers);
    sheet.Finish();
    if (!outcome.generated || failed || !sheetFile.flush()) {
        std::cerr << "write_pictures: the pictures could not be written\n";
        return 1;
    }
    return 0;
}
