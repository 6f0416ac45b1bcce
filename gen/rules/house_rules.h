#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/dice.h"

namespace nexmar {

// The tables a referee may change, each under an id that stays as it is
// from one version to the next, since rules files and run documents name
// tables by it.
enum class RulesTableId { LowImportance, LowSpecial };
inline constexpr RulesTableId kRulesTableIds[] = {RulesTableId::LowImportance, RulesTableId::LowSpecial};
inline constexpr std::size_t kRulesTableCount = std::size(kRulesTableIds);

// The dice of a table: the sum of count separate dice of sides faces, each
// one Roll(1, sides), rolled in order.
struct DiceRule {
    int count = 2;
    int sides = 6;
    int Lowest() const { return count; }
    int Highest() const { return count * sides; }
    bool operator==(const DiceRule&) const = default;
};
inline constexpr int kMostDice = 4;
inline constexpr int kMostSides = 20;

// One row: the totals from lowest to highest give the table's result of
// that index (RulesTableInfo::results).
struct RulesRow {
    int lowest = 0;
    int highest = 0;
    int result = 0;
    bool operator==(const RulesRow&) const = default;
};

struct RulesTable {
    DiceRule dice;
    std::vector<RulesRow> rows;
    bool operator==(const RulesTable&) const = default;
};

// What a table is, whatever its rows: the results it may give (its own
// rows' results, the only ones every output can show) and what is added to
// its dice before the rows are read, so that its rows must cover the dice
// from the lowest total plus the least modifier to the highest plus the most.
struct RulesTableInfo {
    RulesTableId id;
    std::string_view name;
    std::vector<std::string_view> results;
    int leastModifier = 0;
    int mostModifier = 0;
    RulesTable builtIn;
};
const RulesTableInfo& InfoOf(RulesTableId id);

// The totals a table's rows must cover with these dice.
inline int LowestTotal(const RulesTableInfo& info, const DiceRule& dice)
{
    return dice.Lowest() + info.leastModifier;
}
inline int HighestTotal(const RulesTableInfo& info, const DiceRule& dice)
{
    return dice.Highest() + info.mostModifier;
}

// The tables a run rolls on when a referee's rules file changed some: each
// table's dice and rows, read through a result per total. A run with the
// game's own tables has none of these and reads the compiled tables.
class HouseRules {
public:
    // Each table's rows must cover its totals once, as the rules file
    // reader has checked.
    explicit HouseRules(std::array<RulesTable, kRulesTableCount> tables);

    const RulesTable& Table(RulesTableId id) const { return tables_[Index(id)]; }
    // Whether every table is the game's own.
    bool SameAsBuiltIn() const;
    bool operator==(const HouseRules& other) const { return tables_ == other.tables_; }

    // The dice of the table, rolled.
    int Roll(RulesTableId id, Dice& dice) const
    {
        const DiceRule& rule = tables_[Index(id)].dice;
        int total = 0;
        for (int die = 0; die < rule.count; ++die) {
            total += dice.Roll(1, rule.sides);
        }
        return total;
    }
    // The result index the rows give total, a total the table covers.
    int ResultFor(RulesTableId id, int total) const
    {
        const Lookup& lookup = lookups_[Index(id)];
        return lookup.results[static_cast<std::size_t>(total - lookup.lowest)];
    }

private:
    static std::size_t Index(RulesTableId id) { return static_cast<std::size_t>(id); }
    struct Lookup {
        int lowest = 0;
        std::vector<int> results;  // by total - lowest
    };
    std::array<RulesTable, kRulesTableCount> tables_;
    std::array<Lookup, kRulesTableCount> lookups_;
};

// The chance of each total of the dice, index 0 being dice.Lowest().
std::vector<double> TotalOdds(const DiceRule& dice);

}  // namespace nexmar
