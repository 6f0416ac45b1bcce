#include "run/generation_run.h"

#include <charconv>
#include <iterator>
#include <string>

#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"
#include "run/report_writer.h"
#include "run/tree_renderer.h"

namespace nexmar {

namespace {

// "System 12", put together without a format string: a batch run labels a
// million of them.
std::string SystemLabel(int number)
{
    char label[24] = "System ";
    constexpr std::size_t kPrefix = 7;
    char* const end = std::to_chars(std::begin(label) + kPrefix, std::end(label), number).ptr;
    return std::string(std::begin(label), end);
}

}  // namespace

RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone,
                         std::span<RecordObserver* const> observers)
{
    RunOutcome outcome;
    tree.Clear();
    if (inputs.systems < kMinSystems || inputs.systems > inputs.maxSystems) {
        return outcome;
    }
    outcome.generated = true;
    reports.OpenReports(notifier);
    const ItemId root = tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    const bool census = inputs.census;

    if (inputs.level == DetailLevel::Low) {
        WriteLowTableStart(reports);
    }
    for (int index = 0; index < inputs.systems; ++index) {
        const int number = index + 1;
        const ItemId system = tree.Insert(root, SystemLabel(number), TreeImage::System, Placement::Last);
        switch (inputs.level) {
        case DetailLevel::Low: {
            // The first system of every run is a Major Colony.
            const LowSystem record = index == 0 ? GenerateFirstLowSystem(dice, census) : GenerateLowSystem(dice, census);
            if (inputs.renderTree) {
                RenderLowSystem(tree, system, record);
            }
            WriteLowRow(reports, number, record);
            for (RecordObserver* observer : observers) {
                observer->OnLowSystem(number, record);
            }
            break;
        }
        case DetailLevel::Medium: {
            const MediumSystem record = GenerateMediumSystem(dice, census);
            if (inputs.renderTree) {
                RenderMediumSystem(tree, system, number, record);
            }
            reports.WriteSystemHeading(number);
            WriteMediumTable(reports, number, record);
            for (RecordObserver* observer : observers) {
                observer->OnMediumSystem(number, record);
            }
            break;
        }
        case DetailLevel::High: {
            const HighSystem record = GenerateHighSystem(dice, census);
            if (inputs.renderTree) {
                RenderHighSystem(tree, system, number, record);
            }
            reports.WriteSystemHeading(number);
            WriteHighTables(reports, number, record);
            for (RecordObserver* observer : observers) {
                observer->OnHighSystem(number, record);
            }
            break;
        }
        }
        if (systemDone) {
            systemDone(tree, system);
        }
    }
    if (inputs.level == DetailLevel::Low) {
        WriteLowTableEnd(reports);
    }
    if (reports.IsOpen()) {
        outcome.reportsComplete = reports.CloseReports(notifier);
    }
    return outcome;
}

}  // namespace nexmar
