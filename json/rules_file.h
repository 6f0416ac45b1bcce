#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gen/rules/house_rules.h"

namespace nexmar {

class JsonUnit;

// A rules file names tables by id and gives each new dice, new rows, or
// both; nothing else. Its format, docs/nexmar-rules.schema.json:
//   {"format": 1, "tables": {"low.special": {"dice": "2d6", "rows": [
//     {"from": 0, "to": 1, "result": "No special"}, ...]}}}
inline constexpr int kRulesFormat = 1;
inline constexpr std::size_t kMaxRulesFileBytes = std::size_t{64} << 10;
inline constexpr std::size_t kMaxRulesRows = 64;

// One reason a rules file is refused, where it is.
struct RulesFault {
    std::string pointer;
    long long line = 0;
    long long column = 0;
    std::string what;
};

struct RulesRead {
    // The rules in force: none when the file changes no table, as the one
    // --print-rules writes; only meaningful without faults.
    std::shared_ptr<const HouseRules> rules;
    // Every fault found, in the file's order, the first one first.
    std::vector<RulesFault> faults;
};

// Reads a rules file's bytes; nothing is rolled before it has been read whole.
RulesRead ReadRules(std::string_view text);
// The rules object at node of a document already parsed (a run document keeps
// the rules it was rolled with).
RulesRead ReadRules(const JsonUnit& unit, std::uint32_t node);

// "name:12:7: /tables/low.special/rows/3/to: what", then each further fault
// on a line of its own, indented.
std::string RulesRefusal(std::string_view name, const std::vector<RulesFault>& faults);

// The complete rules file of these rules, the game's own when none, every
// table listed: reading it back gives the same rules.
std::string RulesFileText(const HouseRules* rules);

// The rules as one JSON value on one line, as a run document keeps them,
// and the SHA-256 of exactly those bytes, in lowercase hex.
std::string RulesJsonValue(const HouseRules& rules);
std::string RulesDigest(const HouseRules& rules);

}  // namespace nexmar
