#include "app/run_records.h"

#include "run/system_picture.h"

namespace nexmar {

void RunRecords::OnLowSystem(int number, const LowSystem& system)
{
    numbers_.push_back(number);
    low_.push_back(system);
}

void RunRecords::OnMediumSystem(int number, const MediumSystem& system)
{
    numbers_.push_back(number);
    medium_.push_back(system);
}

void RunRecords::OnHighSystem(int number, const HighSystem& system)
{
    numbers_.push_back(number);
    high_.push_back(system);
}

SystemRecord RunRecords::At(std::size_t place) const
{
    if (!low_.empty()) {
        return &low_[place];
    }
    if (!medium_.empty()) {
        return &medium_[place];
    }
    return &high_[place];
}

std::string RunRecords::SystemSvg(std::size_t place) const
{
    if (place >= size()) {
        return {};
    }
    const int number = numbers_[place];
    if (!low_.empty()) {
        return LowSystemSvg(number, low_[place]);
    }
    if (!medium_.empty()) {
        return MediumSystemSvg(number, medium_[place]);
    }
    return HighSystemSvg(number, high_[place]);
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
