#include <gtest/gtest.h>

#include <string>

#include "core/sha256.h"
#include "json/rules_file.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

// A file of two rows of low.importance around a fault: rows[0] and rows[1]
// are spliced in, so that each case is one step from a file that passes.
std::string TwoRows(const std::string& first, const std::string& second, const std::string& table = "low.importance",
                    const std::string& dice = "")
{
    return "{\"format\": 1,\n \"tables\": {\n  \"" + table + "\": {" + dice + "\"rows\": [\n   " + first + ",\n   " +
           second + "]}}}\n";
}

std::string Row(int from, int to, const std::string& result = "Outpost", const std::string& extra = "")
{
    return "{\"from\": " + std::to_string(from) + ", \"to\": " + std::to_string(to) + ", \"result\": \"" + result +
           "\"" + extra + "}";
}

// rows of single totals from lowest, then one row to highest: count rows in all.
std::string ManyRows(int count, int lowest, int highest)
{
    std::string rows;
    for (int total = lowest; total < lowest + count - 1; ++total) {
        rows += Row(total, total) + ",\n";
    }
    rows += Row(lowest + count - 1, highest);
    return "{\"format\": 1, \"tables\": {\"low.importance\": {\"dice\": \"4d20\", \"rows\": [\n" + rows + "]}}}\n";
}

std::string Padded(std::size_t size)
{
    std::string text = TwoRows(Row(2, 6), Row(7, 12));
    return text + std::string(size - text.size(), ' ');
}

struct Refusal {
    const char* name;
    std::string refused;
    std::string passes;  // one step inside the bound or the rule
    const char* at;      // the text where the first fault is; its line and column are the fault's
    const char* pointer;
    const char* what;    // found in the message
};

const Refusal kRefusals[] = {
    {"a gap between rows", TwoRows(Row(2, 5), Row(7, 12)), TwoRows(Row(2, 6), Row(7, 12)), "{\"from\": 7",
     "/tables/low.importance/rows/1", "a gap: no row covers 6, which 2d6 of low.importance reach"},
    {"rows that overlap", TwoRows(Row(2, 7), Row(7, 12)), TwoRows(Row(2, 6), Row(7, 12)), "{\"from\": 7",
     "/tables/low.importance/rows/1", "an overlap: 7 is covered by an earlier row"},
    {"totals left at the top", TwoRows(Row(2, 6), Row(7, 11)), TwoRows(Row(2, 6), Row(7, 12)), "[",
     "/tables/low.importance/rows", "a gap: no row covers 12 to 12"},
    {"a row beyond the dice", TwoRows(Row(2, 6), Row(7, 13)), TwoRows(Row(2, 6), Row(7, 12)), "{\"from\": 7",
     "/tables/low.importance/rows/1", "above the highest total 12 of 2d6"},
    {"a range that is no number", TwoRows(Row(2, 6), "{\"from\": \"7\", \"to\": 12, \"result\": \"Outpost\"}"),
     TwoRows(Row(2, 6), Row(7, 12)), "\"7\"", "/tables/low.importance/rows/1/from",
     "expected an integer from -80 to 80, found \"7\""},
    {"an unknown table", TwoRows(Row(2, 6), Row(7, 12), "low.importanc"), TwoRows(Row(2, 6), Row(7, 12)),
     "{\"rows\"", "/tables/low.importanc", "unknown table \"low.importanc\""},
    {"an unknown result", TwoRows(Row(2, 6), Row(7, 12, "Colonies")), TwoRows(Row(2, 6), Row(7, 12, "Colony")),
     "\"Colonies\"", "/tables/low.importance/rows/1/result", "unknown result \"Colonies\" of low.importance"},
    {"a result of another table", TwoRows(Row(2, 6), Row(7, 12, "Special Resource")),
     TwoRows(Row(2, 6), Row(7, 12, "Major Colony")), "\"Special Resource\"", "/tables/low.importance/rows/1/result",
     "unknown result"},
    {"a column added to the rows", TwoRows(Row(2, 6), Row(7, 12, "Colony", ", \"capacity\": 9")),
     TwoRows(Row(2, 6), Row(7, 12, "Colony")), "9}", "/tables/low.importance/rows/1/capacity",
     "unexpected key \"capacity\""},
    {"more dice than allowed", TwoRows(Row(4, 10), Row(11, 24), "low.importance", "\"dice\": \"5d6\", "),
     TwoRows(Row(4, 10), Row(11, 24), "low.importance", "\"dice\": \"4d6\", "), "\"5d6\"",
     "/tables/low.importance/dice", "1 to 4 dice of 2 to 20 sides"},
    {"dice of more sides than allowed", TwoRows(Row(1, 10), Row(11, 20), "low.importance", "\"dice\": \"1d21\", "),
     TwoRows(Row(1, 10), Row(11, 20), "low.importance", "\"dice\": \"1d20\", "), "\"1d21\"",
     "/tables/low.importance/dice", "1 to 4 dice of 2 to 20 sides"},
    {"more rows than allowed", ManyRows(65, 4, 80), ManyRows(64, 4, 80), "[", "/tables/low.importance/rows",
     "expected 1 to 64 rows, found 65"},
    {"a file longer than allowed", Padded(kMaxRulesFileBytes + 1), Padded(kMaxRulesFileBytes), "{", "/",
     "at most 65536 bytes"},
    {"a later format", "{\"format\": 2, \"tables\": {}}", "{\"format\": 1, \"tables\": {}}", "2,", "/format",
     "expected 1, found 2"},
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

class RulesRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(RulesRefusals, TheFirstFaultIsNamedWhereItIsAndOneStepInsidePasses)
{
    const Refusal& refusal = GetParam();
    EXPECT_TRUE(ReadRules(refusal.passes).faults.empty()) << RulesRefusal("passes", ReadRules(refusal.passes).faults);
    const RulesRead read = ReadRules(refusal.refused);
    ASSERT_FALSE(read.faults.empty());
    EXPECT_EQ(read.rules, nullptr);
    const std::size_t at = refusal.refused.find(refusal.at);
    const std::size_t lineStart = refusal.refused.rfind('\n', at);
    const long long line = 1 + std::count(refusal.refused.begin(), refusal.refused.begin() + at, '\n');
    const long long column = static_cast<long long>(at - (lineStart == std::string::npos ? 0 : lineStart + 1)) + 1;
    const std::string first = RulesRefusal("house.json", read.faults).substr(0, RulesRefusal("house.json", read.faults).find('\n'));
    const std::string place = "house.json:" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                              refusal.pointer + ": ";
    EXPECT_EQ(first.rfind(place, 0), 0u) << first;
    EXPECT_NE(first.find(refusal.what), std::string::npos) << first;
}

INSTANTIATE_TEST_SUITE_P(EachKind, RulesRefusals, ::testing::ValuesIn(kRefusals), testing::ParamNamed());

TEST(RulesFile, EveryFaultIsListedAfterTheFirstEachOnALine)
{
    const std::string text = TwoRows(Row(2, 5, "Capital"), Row(7, 12), "low.importance", "\"dice\": \"2d6\", ");
    const std::string refusal = RulesRefusal("f", ReadRules(text).faults);
    EXPECT_EQ(std::count(refusal.begin(), refusal.end(), '\n'), 1) << refusal;
    EXPECT_NE(refusal.find("unknown result \"Capital\""), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("\n  f:5:4: /tables/low.importance/rows/1: a gap: no row covers 6"), std::string::npos)
        << refusal;
}

TEST(RulesFile, ThePrintedGameTablesReadBackAsTheGameTables)
{
    const RulesRead read = ReadRules(RulesFileText(nullptr));
    EXPECT_TRUE(read.faults.empty()) << RulesRefusal("printed", read.faults);
    EXPECT_EQ(read.rules, nullptr);
}

TEST(RulesFile, ChangedRulesPrintAndReadBackAsThemselves)
{
    const RulesRead read = ReadRules(TwoRows(Row(3, 10, "Colony"), Row(11, 18, "Minor Outpost"), "low.importance",
                                             "\"dice\": \"3d6\", "));
    ASSERT_NE(read.rules, nullptr) << RulesRefusal("changed", read.faults);
    const RulesRead again = ReadRules(RulesFileText(read.rules.get()));
    ASSERT_NE(again.rules, nullptr);
    EXPECT_EQ(*again.rules, *read.rules);
    EXPECT_EQ(RulesDigest(*again.rules), RulesDigest(*read.rules));
    EXPECT_EQ(RulesDigest(*read.rules), Sha256Hex(RulesJsonValue(*read.rules)));
}

TEST(RulesFile, SyntaxFaultsNameTheirColumn)
{
    const std::vector<RulesFault> faults = ReadRules("{\"format\": 1,\n  \"tables\": [}").faults;
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(RulesRefusal("s", faults), "s:2:14: /tables/0: expected a value, found '}'");
}

TEST(Sha256, KnownDigests)
{
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // Two blocks of padding.
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

}  // namespace
}  // namespace nexmar
