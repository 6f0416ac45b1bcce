#include "core/generation_run.h"

#include "core/format.h"
#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"

namespace nexmar {

RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone)
{
    RunOutcome outcome;
    tree.Clear();
    if (inputs.systems < kMinSystems || inputs.systems > inputs.maxSystems) {
        return outcome;
    }
    outcome.generated = true;
    reports.OpenReports(notifier);
    const ItemId root = tree.Insert(kNoItem, "System Results", ImgBlank, Placement::First);
    GenContext context{dice, tree, reports, inputs.census};

    if (inputs.level == DetailLevel::Low) {
        reports.WriteLowTableHeader();
    }
    for (int index = 0; index < inputs.systems; ++index) {
        const int number = index + 1;
        const ItemId system = tree.Insert(root, Format("System %d", number), ImgSystem, Placement::Last);
        switch (inputs.level) {
        case DetailLevel::Low:
            GenerateLowSystem(context, index, system);
            break;
        case DetailLevel::Medium:
            reports.WriteSystemHeading(number);
            GenerateMediumSystem(context, index, system);
            break;
        case DetailLevel::High:
            reports.WriteSystemHeading(number);
            GenerateHighSystem(context, index, system);
            break;
        }
        if (systemDone) {
            systemDone(tree, system);
        }
    }
    if (inputs.level == DetailLevel::Low) {
        reports.WriteLowTableEnd();
    }
    if (reports.IsOpen()) {
        outcome.reportsComplete = reports.CloseReports(notifier);
    }
    return outcome;
}

}  // namespace nexmar
