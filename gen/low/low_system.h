#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/dice.h"
#include "gen/records.h"
#include "gen/rules/house_rules.h"

namespace nexmar {

// One Low-detail system: a size and importance class, Capacity, RAW, a
// special result and, with the census option, Census, Morale and
// Productivity. Exactly four Roll(1, 6) per system with the game's tables;
// with house rules, the dice of their importance and special tables.
LowSystem GenerateLowSystem(Dice& dice, bool census);
LowSystem GenerateLowSystem(Dice& dice, bool census, const HouseRules* rules);

// The first system of every run: a Major Colony whatever its importance dice,
// which are still rolled.
LowSystem GenerateFirstLowSystem(Dice& dice, bool census);
LowSystem GenerateFirstLowSystem(Dice& dice, bool census, const HouseRules* rules);

// The system the tables give a size class with a special, its importance,
// Capacity, RAW and census values read from their rows; nothing when no
// roll gives that special to that size class.
std::optional<LowSystem> LowSystemOf(LowSizeClass sizeClass, std::string_view special, bool census,
                                     const HouseRules* rules = nullptr);

// Whether the importance dice give that size class: by the game's tables
// every class; by house rules, those their rows hold.
bool LowSizeClassRolled(LowSizeClass sizeClass, const HouseRules* rules);

// The importance or the special table as house rules see it: its results,
// the modifiers added to its dice, and the game's own dice and rows.
RulesTableInfo LowRulesInfo(RulesTableId id);

// Every text the special table can give, in table order.
std::vector<std::string_view> LowSpecialTexts();

}  // namespace nexmar
