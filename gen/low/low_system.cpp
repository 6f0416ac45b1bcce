#include "gen/low/low_system.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "gen/odds.h"
#include "gen/table_lookup.h"

namespace nexmar {

namespace {

struct ImportanceRow {
    int lowest;
    int highest;
    LowSizeClass sizeClass;
    Importance importance;
    int census;
    int morale;
    int productivity;
    int specialModifier;
    int capacity;
    int raw;
};

// By the importance roll, two d6.
constexpr ImportanceRow kImportanceTable[] = {
    // s        size class       importance     Cen Mor Prod Mod Cap RAW
    {2, 3, LowSizeClass::MinorOutpost, Importance::Unimportant, 1, 1, 0, -2, 2, 1},
    {4, 5, LowSizeClass::Outpost, Importance::Unimportant, 2, 2, 0, -1, 4, 1},
    {6, 8, LowSizeClass::MinorColony, Importance::Minor, 3, 2, 1, 0, 6, 2},
    {9, 10, LowSizeClass::Colony, Importance::Minor, 5, 4, 2, +1, 8, 2},
    {11, 12, LowSizeClass::MajorColony, Importance::Major, 7, 6, 3, +2, 10, 3},
};
constexpr const ImportanceRow& kMajorColony = kImportanceTable[4];

struct SpecialRow {
    int lowest;
    int highest;
    const char* text;
    int census;
    int morale;
    int productivity;
    int capacity;
    int raw;
};

// By the special total, two d6 plus the importance row's modifier.
constexpr SpecialRow kSpecialTable[] = {
    // g              text                                                  Cen Mor Prod Cap RAW
    {INT_MIN, 1, "No special", 0, 0, 0, 0, 0},
    {2, 2, "Special: Fair Government (+1 Morale)", 0, 1, 0, 0, 0},
    {3, 5, "Special: Rich in Rare Metals", 0, 0, 0, 0, 1},
    {6, 6, "Special: Fair Climate (+1 Productivity)", 0, 0, 1, 0, 0},
    {7, 7, "Special: Rich in Precious Metals", 0, 0, 0, 0, 2},
    {8, 8, "Special: Expanded Industry (+2 Productivity)", 0, 0, 2, 0, 0},
    {9, 9, "Special: Expanded Population (+1 Census, +1 Morale)", 1, 1, 0, 0, 0},
    {10, 11, "Special: Fair Biosphere (+1 Census, +2 Capacity)", 1, 0, 0, 2, 0},
    {12, INT_MAX, "Special Resource", 0, 0, 0, 0, 0},
};

// The special for two d6 of a system of base's importance.
const SpecialRow& SpecialFor(int twoD6, const ImportanceRow& base)
{
    return RowFor(kSpecialTable, twoD6 + base.specialModifier);
}

// A system is its importance row with its special's bonuses added. Kept
// inline in the rolls, as it was while they were its only reader: a batch
// run of the game's tables makes it a million times.
[[gnu::always_inline]] inline LowSystem SystemOfRows(const ImportanceRow& base, const SpecialRow& special, bool census)
{
    LowSystem system{base.sizeClass, base.importance, base.capacity + special.capacity, base.raw + special.raw,
                     special.text, std::nullopt};
    if (census) {
        system.census = CensusValues{base.census + special.census, base.morale + special.morale,
                                     base.productivity + special.productivity};
    }
    return system;
}

LowSystem Generate(Dice& dice, bool census, bool first)
{
    const int importanceRoll = dice.Roll(1, 6) + dice.Roll(1, 6);
    const ImportanceRow& base = first ? kMajorColony : RowFor(kImportanceTable, importanceRoll);

    const int specialRoll = dice.Roll(1, 6) + dice.Roll(1, 6);
    return SystemOfRows(base, SpecialFor(specialRoll, base), census);
}

// The same order of dice as Generate, read through the house rules' rows.
LowSystem GenerateByRules(Dice& dice, bool census, bool first, const HouseRules& rules)
{
    const int importanceRoll = rules.Roll(RulesTableId::LowImportance, dice);
    const ImportanceRow& base =
        first ? kMajorColony : kImportanceTable[rules.ResultFor(RulesTableId::LowImportance, importanceRoll)];

    const int specialTotal = rules.Roll(RulesTableId::LowSpecial, dice) + base.specialModifier;
    return SystemOfRows(base, kSpecialTable[rules.ResultFor(RulesTableId::LowSpecial, specialTotal)], census);
}

// Calls visit(row, chance) for each roll of the importance table.
template <class Visit>
void ForEachImportance(const HouseRules* rules, Visit&& visit)
{
    if (rules == nullptr) {
        ForEachTwoD6([&](int total, double p) { visit(RowFor(kImportanceTable, total), p); });
        return;
    }
    const DiceRule& dice = rules->Table(RulesTableId::LowImportance).dice;
    const std::vector<double> odds = TotalOdds(dice);
    for (int total = dice.Lowest(); total <= dice.Highest(); ++total) {
        visit(kImportanceTable[rules->ResultFor(RulesTableId::LowImportance, total)], odds[total - dice.Lowest()]);
    }
}

// Calls visit(row, chance) for each roll of the special table by a system of base's row.
template <class Visit>
void ForEachSpecial(const HouseRules* rules, const ImportanceRow& base, Visit&& visit)
{
    if (rules == nullptr) {
        ForEachTwoD6([&](int total, double p) { visit(SpecialFor(total, base), p); });
        return;
    }
    const DiceRule& dice = rules->Table(RulesTableId::LowSpecial).dice;
    const std::vector<double> odds = TotalOdds(dice);
    for (int total = dice.Lowest(); total <= dice.Highest(); ++total) {
        visit(kSpecialTable[rules->ResultFor(RulesTableId::LowSpecial, total + base.specialModifier)],
              odds[total - dice.Lowest()]);
    }
}

// Whether some roll of the special dice, plus base's modifier, gives the
// special table's row; a document's reader asks this of every system.
bool SpecialReached(const HouseRules* rules, const ImportanceRow& base, int row)
{
    if (rules == nullptr) {
        const SpecialRow& bonus = kSpecialTable[row];
        return bonus.highest >= 2 + base.specialModifier && bonus.lowest <= 12 + base.specialModifier;
    }
    const DiceRule& dice = rules->Table(RulesTableId::LowSpecial).dice;
    for (int total = dice.Lowest(); total <= dice.Highest(); ++total) {
        if (rules->ResultFor(RulesTableId::LowSpecial, total + base.specialModifier) == row) {
            return true;
        }
    }
    return false;
}

}  // namespace

LowSystem GenerateLowSystem(Dice& dice, bool census)
{
    return Generate(dice, census, false);
}

LowSystem GenerateLowSystem(Dice& dice, bool census, const HouseRules* rules)
{
    return rules == nullptr ? Generate(dice, census, false) : GenerateByRules(dice, census, false, *rules);
}

LowSystem GenerateFirstLowSystem(Dice& dice, bool census)
{
    return Generate(dice, census, true);
}

LowSystem GenerateFirstLowSystem(Dice& dice, bool census, const HouseRules* rules)
{
    return rules == nullptr ? Generate(dice, census, true) : GenerateByRules(dice, census, true, *rules);
}

int LowSpecialRow(std::string_view text)
{
    for (int row = 0; row < static_cast<int>(std::size(kSpecialTable)); ++row) {
        if (kSpecialTable[row].text == text) {
            return row;
        }
    }
    return -1;
}

// The same dice as Generate, read through the same rows.
std::vector<TableOdds> LowTableOdds(const HouseRules* rules)
{
    std::vector<std::string> classes;
    for (const ImportanceRow& row : kImportanceTable) {
        classes.emplace_back(LowSizeClassName(row.sizeClass));
    }
    std::vector<std::string> specials;
    for (const SpecialRow& row : kSpecialTable) {
        specials.emplace_back(row.text);
    }
    TableOdds sizeClass("Low: size class by importance", {""}, classes);
    TableOdds special("Low: special by size class", classes, specials);
    ForEachImportance(rules, [&](const ImportanceRow& row, double p) {
        sizeClass.odds[0][static_cast<int>(row.sizeClass)] += p;
    });
    for (const ImportanceRow& base : kImportanceTable) {
        ForEachSpecial(rules, base, [&](const SpecialRow& row, double p) {
            special.odds[static_cast<int>(base.sizeClass)][LowSpecialRow(row.text)] += p;
        });
    }
    return TableList(sizeClass, special);
}

std::optional<LowSystem> LowSystemOf(LowSizeClass sizeClass, std::string_view special, bool census,
                                     const HouseRules* rules)
{
    const ImportanceRow& base = kImportanceTable[static_cast<int>(sizeClass)];
    const int row = LowSpecialRow(special);
    if (row < 0) {
        return std::nullopt;
    }
    if (!SpecialReached(rules, base, row)) {
        return std::nullopt;
    }
    return SystemOfRows(base, kSpecialTable[row], census);
}

bool LowSizeClassRolled(LowSizeClass sizeClass, const HouseRules* rules)
{
    if (rules == nullptr) {
        return true;
    }
    const DiceRule& dice = rules->Table(RulesTableId::LowImportance).dice;
    for (int total = dice.Lowest(); total <= dice.Highest(); ++total) {
        if (kImportanceTable[rules->ResultFor(RulesTableId::LowImportance, total)].sizeClass == sizeClass) {
            return true;
        }
    }
    return false;
}

RulesTableInfo LowRulesInfo(RulesTableId id)
{
    RulesTableInfo info{id, {}, {}, 0, 0, {}};
    if (id == RulesTableId::LowImportance) {
        info.name = "low.importance";
        for (int row = 0; row < static_cast<int>(std::size(kImportanceTable)); ++row) {
            const ImportanceRow& importance = kImportanceTable[row];
            info.results.push_back(LowSizeClassName(importance.sizeClass));
            info.builtIn.rows.push_back({importance.lowest, importance.highest, row});
        }
        return info;
    }
    info.name = "low.special";
    info.results = LowSpecialTexts();
    for (const ImportanceRow& importance : kImportanceTable) {
        info.leastModifier = std::min(info.leastModifier, importance.specialModifier);
        info.mostModifier = std::max(info.mostModifier, importance.specialModifier);
    }
    // The rows' open ends, cut to the totals the dice reach.
    for (int row = 0; row < static_cast<int>(std::size(kSpecialTable)); ++row) {
        const SpecialRow& special = kSpecialTable[row];
        info.builtIn.rows.push_back({std::max(special.lowest, LowestTotal(info, info.builtIn.dice)),
                                     std::min(special.highest, HighestTotal(info, info.builtIn.dice)), row});
    }
    return info;
}

std::vector<std::string_view> LowSpecialTexts()
{
    std::vector<std::string_view> texts;
    for (const SpecialRow& row : kSpecialTable) {
        texts.emplace_back(row.text);
    }
    return texts;
}

}  // namespace nexmar
