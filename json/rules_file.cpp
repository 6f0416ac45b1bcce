#include "json/rules_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include <nlohmann/json.hpp>

#include "core/sha256.h"
#include "json/private/json_parser.h"

namespace nexmar {

namespace {

using Kind = JsonUnit::Node::Kind;

// The bytes of a rules file already in memory.
class TextSource final : public JsonByteSource {
public:
    explicit TextSource(std::string_view text) : text_(text) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min(size, text_.size());
        std::memcpy(buffer, text_.data(), count);
        text_.remove_prefix(count);
        return count;
    }

private:
    std::string_view text_;
};

std::string DiceText(const DiceRule& dice)
{
    return std::to_string(dice.count) + "d" + std::to_string(dice.sides);
}

// Checks a rules object, keeping every fault rather than stopping at the first.
class RulesChecker {
public:
    RulesChecker(const JsonUnit& unit, std::vector<RulesFault>& faults) : unit_(unit), faults_(faults) {}

    // The tables, the game's own where the file leaves them.
    std::array<RulesTable, kRulesTableCount> Check(std::uint32_t root)
    {
        std::array<RulesTable, kRulesTableCount> tables;
        for (const RulesTableId id : kRulesTableIds) {
            tables[static_cast<std::size_t>(id)] = InfoOf(id).builtIn;
        }
        if (!IsKind(root, Kind::Object, "an object with \"format\" and \"tables\"") ||
            !OnlyKeys(root, {"format", "tables"}, "a rules file holds \"format\" and \"tables\" alone")) {
            return tables;
        }
        const std::uint32_t format = Required(root, "format");
        if (format != JsonUnit::kNone) {
            Integer(format, kRulesFormat, kRulesFormat);
        }
        const std::uint32_t listed = Required(root, "tables");
        if (listed == JsonUnit::kNone || !IsKind(listed, Kind::Object, "an object of tables by id")) {
            return tables;
        }
        for (std::uint32_t table = unit_.at(listed).first; table != JsonUnit::kNone; table = unit_.at(table).next) {
            const std::optional<RulesTableId> id = TableId(table);
            if (id) {
                CheckTable(table, InfoOf(*id), tables[static_cast<std::size_t>(*id)]);
            }
        }
        return tables;
    }

private:
    void Fault(std::uint32_t node, const std::string& what)
    {
        const JsonUnit::Node& at = unit_.at(node);
        const std::string pointer = unit_.Pointer(node);
        faults_.push_back({pointer.empty() ? "/" : pointer, at.line, at.column, what});
    }
    bool IsKind(std::uint32_t node, Kind kind, const char* expected)
    {
        if (unit_.at(node).kind == kind) {
            return true;
        }
        Fault(node, std::string("expected ") + expected + ", found " + unit_.Shown(node));
        return false;
    }
    // Whether object holds no key but those allowed; each other one is a fault.
    bool OnlyKeys(std::uint32_t object, std::initializer_list<std::string_view> allowed, const char* why)
    {
        bool only = true;
        for (std::uint32_t member = unit_.at(object).first; member != JsonUnit::kNone;
             member = unit_.at(member).next) {
            if (std::find(allowed.begin(), allowed.end(), unit_.Key(member)) == allowed.end()) {
                Fault(member, "unexpected key " + JsonQuoted(unit_.Key(member)) + "; " + why);
                only = false;
            }
        }
        return only;
    }
    std::uint32_t Required(std::uint32_t object, std::string_view key)
    {
        const std::uint32_t member = unit_.Find(object, key);
        if (member == JsonUnit::kNone) {
            Fault(object, "missing " + JsonQuoted(key));
        }
        return member;
    }
    std::optional<int> Integer(std::uint32_t node, int lowest, int highest)
    {
        const JsonUnit::Node& at = unit_.at(node);
        const long long value = at.negative ? -static_cast<long long>(at.magnitude) : static_cast<long long>(at.magnitude);
        if (at.kind != Kind::Number || !at.integer || at.huge || at.magnitude > INT32_MAX || value < lowest ||
            value > highest) {
            Fault(node, lowest == highest ? "expected " + std::to_string(lowest) + ", found " + unit_.Shown(node)
                                          : "expected an integer from " + std::to_string(lowest) + " to " +
                                                std::to_string(highest) + ", found " + unit_.Shown(node));
            return std::nullopt;
        }
        return static_cast<int>(value);
    }
    std::optional<RulesTableId> TableId(std::uint32_t table)
    {
        for (const RulesTableId id : kRulesTableIds) {
            if (InfoOf(id).name == unit_.Key(table)) {
                return id;
            }
        }
        std::string known;
        for (const RulesTableId id : kRulesTableIds) {
            known += (known.empty() ? "" : ", ") + std::string(InfoOf(id).name);
        }
        Fault(table, "unknown table " + JsonQuoted(unit_.Key(table)) + "; expected one of " + known);
        return std::nullopt;
    }
    void CheckTable(std::uint32_t table, const RulesTableInfo& info, RulesTable& into);
    std::optional<DiceRule> Dice(std::uint32_t node);
    // Whether node is an array of an allowed count of rows, each with a range
    // read into rows: only then can the ranges be checked for gaps.
    bool Rows(std::uint32_t node, const RulesTableInfo& info, std::vector<RulesRow>& rows,
              std::vector<std::uint32_t>& nodes);
    void Coverage(std::uint32_t table, const RulesTableInfo& info, const RulesTable& rules,
                  const std::vector<std::uint32_t>& nodes);

    const JsonUnit& unit_;
    std::vector<RulesFault>& faults_;
};

void RulesChecker::CheckTable(std::uint32_t table, const RulesTableInfo& info, RulesTable& into)
{
    if (!IsKind(table, Kind::Object, "an object with \"dice\", \"rows\" or both") ||
        !OnlyKeys(table, {"dice", "rows"}, "a table changes its dice, its rows or both, nothing else")) {
        return;
    }
    const std::uint32_t dice = unit_.Find(table, "dice");
    const std::uint32_t rows = unit_.Find(table, "rows");
    if (dice == JsonUnit::kNone && rows == JsonUnit::kNone) {
        Fault(table, "expected \"dice\", \"rows\" or both");
        return;
    }
    std::optional<DiceRule> rolled = into.dice;
    if (dice != JsonUnit::kNone) {
        rolled = Dice(dice);
    }
    std::vector<std::uint32_t> nodes;
    bool rowsRead = true;
    if (rows != JsonUnit::kNone) {
        into.rows.clear();
        rowsRead = Rows(rows, info, into.rows, nodes);
    }
    if (rolled && rowsRead) {
        into.dice = *rolled;
        // Rows left as the game's own are faulted at the dice that no longer fit them.
        Coverage(rows != JsonUnit::kNone ? rows : dice, info, into, nodes);
    }
}

std::optional<DiceRule> RulesChecker::Dice(std::uint32_t node)
{
    const std::string expected = "expected dice as \"NdS\", 1 to " + std::to_string(kMostDice) + " dice of 2 to " +
                                 std::to_string(kMostSides) + " sides, found " + unit_.Shown(node);
    if (unit_.at(node).kind != Kind::String) {
        Fault(node, expected);
        return std::nullopt;
    }
    const std::string_view text = unit_.Text(node);
    const std::size_t d = text.find('d');
    // One or two digits, no leading zero: every bound has at most two.
    const auto number = [](std::string_view digits) {
        const bool canonical = !digits.empty() && digits.size() <= 2 && digits.front() != '0' &&
                               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!canonical) {
            return -1;
        }
        int value = 0;
        for (const char c : digits) {
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int count = d == std::string_view::npos ? -1 : number(text.substr(0, d));
    const int sides = d == std::string_view::npos ? -1 : number(text.substr(d + 1));
    if (count < 1 || count > kMostDice || sides < 2 || sides > kMostSides) {
        Fault(node, expected);
        return std::nullopt;
    }
    return DiceRule{count, sides};
}

bool RulesChecker::Rows(std::uint32_t node, const RulesTableInfo& info, std::vector<RulesRow>& rows,
                        std::vector<std::uint32_t>& nodes)
{
    if (!IsKind(node, Kind::Array, "an array of rows")) {
        return false;
    }
    if (unit_.at(node).count < 1 || unit_.at(node).count > kMaxRulesRows) {
        Fault(node, "expected 1 to " + std::to_string(kMaxRulesRows) + " rows, found " +
                        std::to_string(unit_.at(node).count));
        return false;
    }
    // The highest total any dice allowed reach, so that no row's range is beyond reason.
    const int reach = kMostDice * kMostSides + std::max(-info.leastModifier, info.mostModifier);
    bool everyRange = true;
    for (std::uint32_t row = unit_.at(node).first; row != JsonUnit::kNone; row = unit_.at(row).next) {
        if (!IsKind(row, Kind::Object, "a row {\"from\", \"to\", \"result\"}")) {
            everyRange = false;
            continue;
        }
        // A row with a column of its own still takes its totals, so that it leaves no false gap.
        OnlyKeys(row, {"from", "to", "result"}, "the table's rows have \"from\", \"to\" and \"result\" alone");
        const std::uint32_t from = Required(row, "from");
        const std::uint32_t to = Required(row, "to");
        const std::uint32_t result = Required(row, "result");
        if (from == JsonUnit::kNone || to == JsonUnit::kNone || result == JsonUnit::kNone) {
            everyRange = false;
            continue;
        }
        const std::optional<int> lowest = Integer(from, -reach, reach);
        const std::optional<int> highest = Integer(to, -reach, reach);
        const auto found = unit_.at(result).kind == Kind::String
                               ? std::find(info.results.begin(), info.results.end(), unit_.Text(result))
                               : info.results.end();
        if (found == info.results.end()) {
            Fault(result, "unknown result " + unit_.Shown(result) + " of " + std::string(info.name) +
                              "; expected one of the table's own results, as --print-rules writes them");
        }
        everyRange = everyRange && lowest && highest && *highest >= *lowest;
        if (lowest && highest && *highest < *lowest) {
            Fault(to, "expected \"to\" at least \"from\", " + std::to_string(*lowest));
        } else if (lowest && highest) {
            // A row of an unknown result still takes its totals, so that it leaves no false gap.
            rows.push_back({*lowest, *highest, static_cast<int>(found - info.results.begin())});
            nodes.push_back(row);
        }
    }
    return everyRange;
}

// The rows, in the order of their totals, must cover the totals the dice
// and the table's modifiers reach, each once.
void RulesChecker::Coverage(std::uint32_t table, const RulesTableInfo& info, const RulesTable& rules,
                            const std::vector<std::uint32_t>& nodes)
{
    std::vector<std::size_t> order(rules.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rules.rows[a].lowest < rules.rows[b].lowest; });
    const auto placeOf = [&](std::size_t row) { return nodes.empty() ? table : nodes[row]; };
    const int lowest = LowestTotal(info, rules.dice);
    const int highest = HighestTotal(info, rules.dice);
    const std::string dice = DiceText(rules.dice);
    int next = lowest;
    for (const std::size_t row : order) {
        const RulesRow& at = rules.rows[row];
        if (at.lowest > next) {
            Fault(placeOf(row), "a gap: no row covers " + std::to_string(next) +
                                    (at.lowest - 1 > next ? " to " + std::to_string(at.lowest - 1) : "") +
                                    ", which " + dice + " of " + std::string(info.name) + " reach");
        } else if (at.lowest < next) {
            Fault(placeOf(row), "an overlap: " + std::to_string(at.lowest) + " is " +
                                    (at.lowest < lowest ? "below the lowest total " + std::to_string(lowest) +
                                                              " of " + dice + " with the table's modifiers"
                                                        : "covered by an earlier row"));
        }
        next = std::max(next, at.highest + 1);
    }
    if (next <= highest) {
        Fault(table, "a gap: no row covers " + std::to_string(next) + " to " + std::to_string(highest) + ", which " +
                         dice + " of " + std::string(info.name) + " reach");
    } else if (next > highest + 1) {
        Fault(placeOf(order.back()), "an overlap: the rows run to " + std::to_string(next - 1) +
                                         ", above the highest total " + std::to_string(highest) + " of " + dice +
                                         " with the table's modifiers");
    }
}

RulesRead RulesOf(const JsonUnit& unit, std::uint32_t node, std::vector<RulesFault> faults)
{
    RulesRead read;
    read.faults = std::move(faults);
    std::array<RulesTable, kRulesTableCount> tables = RulesChecker(unit, read.faults).Check(node);
    std::stable_sort(read.faults.begin(), read.faults.end(), [](const RulesFault& a, const RulesFault& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    if (read.faults.empty()) {
        auto rules = std::make_shared<const HouseRules>(std::move(tables));
        if (!rules->SameAsBuiltIn()) {
            read.rules = std::move(rules);
        }
    }
    return read;
}

// One table of a rules file, one row a line.
std::string TableText(const RulesTableInfo& info, const RulesTable& table)
{
    std::string text = "    " + JsonQuoted(info.name) + ": {\n      \"dice\": \"" + DiceText(table.dice) +
                       "\",\n      \"rows\": [";
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const RulesRow& at = table.rows[row];
        text += std::string(row == 0 ? "" : ",") + "\n        {\"from\": " + std::to_string(at.lowest) +
                ", \"to\": " + std::to_string(at.highest) +
                ", \"result\": " + JsonQuoted(info.results[static_cast<std::size_t>(at.result)]) + "}";
    }
    return text + "\n      ]\n    }";
}

}  // namespace

RulesRead ReadRules(std::string_view text)
{
    if (text.size() > kMaxRulesFileBytes) {
        return {nullptr, {{"/", 1, 1, "expected a rules file of at most " + std::to_string(kMaxRulesFileBytes) +
                                          " bytes, found " + std::to_string(text.size())}}};
    }
    TextSource source(text);
    JsonParser parser(source);
    JsonUnit unit;
    std::vector<RulesFault> faults;
    try {
        parser.BeginDocument(unit);
        std::string key;
        while (parser.NextTopKey(key, unit)) {
            parser.Colon("/" + PointerToken(key));
            if (unit.Find(unit.root(), key) != JsonUnit::kNone) {
                parser.Fail("/" + PointerToken(key), parser.line(), "duplicate key " + JsonQuoted(key));
            }
            parser.ReadHeadMember(unit, key);
        }
        parser.EndDocument();
    } catch (const JsonReadError& error) {
        return {nullptr, {{error.pointer, error.line, error.column, error.what}}};
    }
    return RulesOf(unit, unit.root(), std::move(faults));
}

RulesRead ReadRules(const JsonUnit& unit, std::uint32_t node)
{
    return RulesOf(unit, node, {});
}

std::string RulesRefusal(std::string_view name, const std::vector<RulesFault>& faults)
{
    std::string text;
    for (std::size_t i = 0; i < faults.size(); ++i) {
        const RulesFault& fault = faults[i];
        text += std::string(i == 0 ? "" : "\n  ") + std::string(name) + ":" + std::to_string(fault.line) + ":" +
                std::to_string(fault.column) + ": " + fault.pointer + ": " + fault.what;
    }
    return text;
}

std::string RulesFileText(const HouseRules* rules)
{
    std::string text = "{\n  \"format\": " + std::to_string(kRulesFormat) + ",\n  \"tables\": {\n";
    for (const RulesTableId id : kRulesTableIds) {
        const RulesTable& table = rules ? rules->Table(id) : InfoOf(id).builtIn;
        text += (id == kRulesTableIds[0] ? "" : ",\n") + TableText(InfoOf(id), table);
    }
    return text + "\n  }\n}\n";
}

std::string RulesJsonValue(const HouseRules& rules)
{
    nlohmann::ordered_json tables = nlohmann::ordered_json::object();
    for (const RulesTableId id : kRulesTableIds) {
        const RulesTableInfo& info = InfoOf(id);
        const RulesTable& table = rules.Table(id);
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const RulesRow& row : table.rows) {
            rows.push_back({{"from", row.lowest},
                            {"to", row.highest},
                            {"result", std::string(info.results[static_cast<std::size_t>(row.result)])}});
        }
        tables[std::string(info.name)] = {{"dice", DiceText(table.dice)}, {"rows", std::move(rows)}};
    }
    return nlohmann::ordered_json{{"format", kRulesFormat}, {"tables", std::move(tables)}}.dump();
}

std::string RulesDigest(const HouseRules& rules)
{
    return Sha256Hex(RulesJsonValue(rules));
}

}  // namespace nexmar
