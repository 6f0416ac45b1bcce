#include "gen/rules/house_rules.h"

#include "gen/low/low_system.h"
#include "gen/odds.h"

namespace nexmar {

const RulesTableInfo& InfoOf(RulesTableId id)
{
    static const RulesTableInfo kInfo[] = {LowRulesInfo(RulesTableId::LowImportance),
                                           LowRulesInfo(RulesTableId::LowSpecial)};
    return kInfo[static_cast<std::size_t>(id)];
}

HouseRules::HouseRules(std::array<RulesTable, kRulesTableCount> tables) : tables_(std::move(tables))
{
    for (const RulesTableId id : kRulesTableIds) {
        const RulesTable& table = tables_[Index(id)];
        Lookup& lookup = lookups_[Index(id)];
        lookup.lowest = LowestTotal(InfoOf(id), table.dice);
        lookup.results.assign(static_cast<std::size_t>(HighestTotal(InfoOf(id), table.dice) - lookup.lowest + 1), 0);
        for (const RulesRow& row : table.rows) {
            for (int total = row.lowest; total <= row.highest; ++total) {
                lookup.results[static_cast<std::size_t>(total - lookup.lowest)] = row.result;
            }
        }
    }
}

bool HouseRules::SameAsBuiltIn() const
{
    for (const RulesTableId id : kRulesTableIds) {
        if (!(Table(id) == InfoOf(id).builtIn)) {
            return false;
        }
    }
    return true;
}

std::vector<double> TotalOdds(const DiceRule& dice)
{
    const std::vector<double> face = FaceOdds(1, dice.sides);
    std::vector<double> totals{1.0};  // no die yet: a total of 0
    for (int die = 0; die < dice.count; ++die) {
        std::vector<double> next(totals.size() + face.size(), 0.0);
        for (std::size_t sum = 0; sum < totals.size(); ++sum) {
            for (std::size_t f = 0; f < face.size(); ++f) {
                next[sum + f + 1] += totals[sum] * face[f];
            }
        }
        totals = std::move(next);
    }
    // Totals below count cannot be rolled.
    return {totals.begin() + dice.count, totals.end()};
}

}  // namespace nexmar
