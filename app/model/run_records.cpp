#include "model/run_records.h"

#include <utility>

namespace nexmar {

RunRecords::RunRecords(LoadedRun run) : systems_(std::move(run)) {}

RunRecords::RunRecords(Seed runSeed)
{
    systems_.summary.settings.seed = runSeed;
    systems_.edits.Restart(runSeed);
}

void RunRecords::Add(int number, const SystemRecord& system)
{
    systems_.numbers.push_back(number);
    systems_.systems.push_back(system);
}

std::string RunRecords::SystemSvg(std::size_t place, PictureLegend legend, bool players) const
{
    if (place >= size()) {
        return {};
    }
    const int number = systems_.numbers[place];
    if (!players) {
        return nexmar::SystemSvg(number, systems_.systems[place], systems_.edits.Name(number), {}, legend);
    }
    const std::optional<PlayerSystem> shown = PlayerSystemOf(systems_.edits, number);
    return shown ? nexmar::SystemSvg(number, systems_.systems[place], shown->name, shown->hidden, legend)
                 : std::string();
}

std::optional<std::size_t> SystemPlaceOf(const ShownTree& tree, ItemId item)
{
    if (item == kNoItem || tree.at(item).parent == kNoItem) {
        return std::nullopt;
    }
    ItemId system = item;
    while (tree.at(tree.at(system).parent).parent != kNoItem) {
        system = tree.at(system).parent;
    }
    return static_cast<std::size_t>(tree.at(system).row);
}

}  // namespace nexmar
