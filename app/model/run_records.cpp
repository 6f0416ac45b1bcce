#include "model/run_records.h"

#include <utility>

#include "picture/system_picture.h"

namespace nexmar {

RunRecords::RunRecords(LoadedRun run) : systems_(std::move(run)) {}

RunRecords::RunRecords(std::uint32_t runSeed)
{
    systems_.summary.header.seed = runSeed;
    systems_.edits.Restart(runSeed);
}

void RunRecords::OnLowSystem(int number, const LowSystem& system)
{
    systems_.numbers.push_back(number);
    systems_.low.push_back(system);
}

void RunRecords::OnMediumSystem(int number, const MediumSystem& system)
{
    systems_.numbers.push_back(number);
    systems_.medium.push_back(system);
}

void RunRecords::OnHighSystem(int number, const HighSystem& system)
{
    systems_.numbers.push_back(number);
    systems_.high.push_back(system);
}

SystemRecord RunRecords::At(std::size_t place) const
{
    if (!systems_.low.empty()) {
        return &systems_.low[place];
    }
    if (!systems_.medium.empty()) {
        return &systems_.medium[place];
    }
    return &systems_.high[place];
}

std::string RunRecords::SystemSvg(std::size_t place) const
{
    if (place >= size()) {
        return {};
    }
    const int number = systems_.numbers[place];
    const std::string name = systems_.edits.Name(number);
    if (!systems_.low.empty()) {
        return LowSystemSvg(number, systems_.low[place], name);
    }
    if (!systems_.medium.empty()) {
        return MediumSystemSvg(number, systems_.medium[place], name);
    }
    return HighSystemSvg(number, systems_.high[place], name);
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
