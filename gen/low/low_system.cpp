#include "gen/low/low_system.h"

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

// A system is its importance row with its special's bonuses added.
LowSystem SystemOfRows(const ImportanceRow& base, const SpecialRow& special, bool census)
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

}  // namespace

LowSystem GenerateLowSystem(Dice& dice, bool census)
{
    return Generate(dice, census, false);
}

LowSystem GenerateFirstLowSystem(Dice& dice, bool census)
{
    return Generate(dice, census, true);
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
std::vector<TableOdds> LowTableOdds()
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
    ForEachTwoD6([&](int total, double p) {
        sizeClass.odds[0][static_cast<int>(RowFor(kImportanceTable, total).sizeClass)] += p;
    });
    for (const ImportanceRow& base : kImportanceTable) {
        ForEachTwoD6([&](int total, double p) {
            special.odds[static_cast<int>(base.sizeClass)][LowSpecialRow(SpecialFor(total, base).text)] += p;
        });
    }
    return TableList(sizeClass, special);
}

std::optional<LowSystem> LowSystemOf(LowSizeClass sizeClass, std::string_view special, bool census)
{
    const ImportanceRow& base = kImportanceTable[static_cast<int>(sizeClass)];
    const int row = LowSpecialRow(special);
    if (row < 0) {
        return std::nullopt;
    }
    const SpecialRow& bonus = kSpecialTable[row];
    // Two d6 plus the row's modifier reach the special's totals.
    if (bonus.highest < 2 + base.specialModifier || bonus.lowest > 12 + base.specialModifier) {
        return std::nullopt;
    }
    return SystemOfRows(base, bonus, census);
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
