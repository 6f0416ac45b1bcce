#include "gen/odds.h"

#include "core/dice.h"

namespace nexmar {

std::vector<double> FaceOdds(int low, int high)
{
    constexpr int kDraws = 32768;
    std::vector<long> counts(static_cast<std::size_t>(high - low + 1), 0);
    long kept = 0;
    for (int draw = 0; draw < kDraws; ++draw) {
        // A second call means the die threw this draw away; the last draw
        // never falls below low, so the die stops there.
        int calls = 0;
        const int face = RollFromSource([&] { return ++calls == 1 ? draw : kDraws - 1; }, low, high);
        if (calls == 1) {
            ++counts[static_cast<std::size_t>(face - low)];
            ++kept;
        }
    }
    std::vector<double> odds;
    for (const long count : counts) {
        odds.push_back(static_cast<double>(count) / static_cast<double>(kept));
    }
    return odds;
}

TableOdds::TableOdds(std::string tableName, std::vector<std::string> groupNames, std::vector<std::string> outcomeNames)
    : name(std::move(tableName)),
      groups(std::move(groupNames)),
      outcomes(std::move(outcomeNames)),
      odds(groups.size(), std::vector<double>(outcomes.size(), 0.0))
{
}

std::vector<TableOdds> TableOddsOf(DetailLevel level, const HouseRules* rules)
{
    switch (level) {
    case DetailLevel::Low:
        return LowTableOdds(rules);
    case DetailLevel::Medium:
        return MediumTableOdds();
    case DetailLevel::High:
        break;
    }
    return HighTableOdds();
}

}  // namespace nexmar
