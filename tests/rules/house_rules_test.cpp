#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <variant>

#include "gen/low/low_system.h"
#include "gen/odds.h"
#include "json/json_import.h"
#include "json/rules_file.h"
#include "stats/run_statistics.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RunNexmarCli;
using testing::ScriptedDice;
using testing::TempDir;

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::array<RulesTable, kRulesTableCount> GameTables()
{
    std::array<RulesTable, kRulesTableCount> tables;
    for (const RulesTableId id : kRulesTableIds) {
        tables[static_cast<std::size_t>(id)] = InfoOf(id).builtIn;
    }
    return tables;
}

// The game's own tables read as data: the rows a rules file would give.
TEST(HouseRules, TheGameTablesAsDataRollWhatTheCompiledTablesRoll)
{
    const HouseRules asData(GameTables());
    for (Seed seed = 1; seed <= 3; ++seed) {
        SeededDice compiled(seed), data(seed);
        for (int system = 0; system < 20000; ++system) {
            const bool census = system % 2 == 0;
            ASSERT_EQ(GenerateLowSystem(compiled, census), GenerateLowSystem(data, census, &asData)) << system;
        }
    }
    const std::vector<TableOdds> game = LowTableOdds();
    const std::vector<TableOdds> data = LowTableOdds(&asData);
    for (std::size_t table = 0; table < game.size(); ++table) {
        for (std::size_t group = 0; group < game[table].groups.size(); ++group) {
            for (std::size_t outcome = 0; outcome < game[table].outcomes.size(); ++outcome) {
                EXPECT_NEAR(game[table].odds[group][outcome], data[table].odds[group][outcome], 1e-15);
            }
        }
    }
}

TEST(HouseRules, EachTableRollsItsOwnDiceInOrder)
{
    std::array<RulesTable, kRulesTableCount> tables = GameTables();
    tables[0] = {{3, 6}, {{3, 3, 4}, {4, 18, 0}}};     // 3d6: a 3 is a Major Colony
    tables[1] = {{1, 4}, {{-1, 2, 8}, {3, 6, 0}}};     // 1d4 less 2 to plus 2: up to 2 is a Special Resource
    const HouseRules rules(tables);
    ScriptedDice dice({1, 1, 1, 4});
    const LowSystem system = GenerateLowSystem(dice, false, &rules);
    EXPECT_TRUE(dice.AllUsed());
    EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>{{1, 6}, {1, 6}, {1, 6}, {1, 4}}));
    EXPECT_EQ(system.sizeClass, LowSizeClass::MajorColony);
    EXPECT_EQ(system.special, "No special");  // 4 + 2
}

// Random rules that a file may give: dice within the bounds, rows cutting
// the totals at random places, results at random.
RulesTable RandomTable(std::mt19937& random, RulesTableId id)
{
    const RulesTableInfo& info = InfoOf(id);
    const DiceRule dice{std::uniform_int_distribution<int>(1, kMostDice)(random),
                        std::uniform_int_distribution<int>(2, kMostSides)(random)};
    RulesTable table{dice, {}};
    const int highest = HighestTotal(info, dice);
    for (int from = LowestTotal(info, dice); from <= highest;) {
        const int to = std::min(highest, from + std::uniform_int_distribution<int>(0, 4)(random));
        const int result = std::uniform_int_distribution<int>(0, static_cast<int>(info.results.size()) - 1)(random);
        table.rows.push_back({from, to, result});
        from = to + 1;
    }
    return table;
}

// Every face of every die, weighed by its odds, read through the rows by
// search: the odds LowTableOdds must give.
std::vector<double> BruteForce(const RulesTable& table, int modifier, std::size_t results)
{
    const std::vector<double> face = FaceOdds(1, table.dice.sides);
    std::vector<double> odds(results, 0.0);
    std::vector<int> faces(static_cast<std::size_t>(table.dice.count), 1);
    for (;;) {
        double p = 1.0;
        int total = modifier;
        for (const int f : faces) {
            p *= face[static_cast<std::size_t>(f - 1)];
            total += f;
        }
        for (const RulesRow& row : table.rows) {
            if (total >= row.lowest && total <= row.highest) {
                odds[static_cast<std::size_t>(row.result)] += p;
            }
        }
        std::size_t die = 0;
        while (die < faces.size() && ++faces[die] > table.dice.sides) {
            faces[die++] = 1;
        }
        if (die == faces.size()) {
            return odds;
        }
    }
}

TEST(HouseRules, OddsOfRandomRulesAgreeWithEveryFaceOfTheDice)
{
    std::mt19937 random(2026);
    const int modifiers[] = {-2, -1, 0, 1, 2};  // of the size classes, in order
    for (int rulesSet = 0; rulesSet < 25; ++rulesSet) {
        const HouseRules rules({RandomTable(random, RulesTableId::LowImportance),
                                RandomTable(random, RulesTableId::LowSpecial)});
        const std::vector<TableOdds> odds = LowTableOdds(&rules);
        const std::vector<double> classes = BruteForce(rules.Table(RulesTableId::LowImportance), 0, 5);
        for (std::size_t outcome = 0; outcome < classes.size(); ++outcome) {
            EXPECT_NEAR(odds[0].odds[0][outcome], classes[outcome], 1e-12) << rulesSet;
        }
        for (std::size_t group = 0; group < 5; ++group) {
            const std::vector<double> specials =
                BruteForce(rules.Table(RulesTableId::LowSpecial), modifiers[group], odds[1].outcomes.size());
            for (std::size_t outcome = 0; outcome < specials.size(); ++outcome) {
                EXPECT_NEAR(odds[1].odds[group][outcome], specials[outcome], 1e-12) << rulesSet << " " << group;
            }
        }
    }
}

// A large run by random rules fits their odds, and fails the game's where they differ.
TEST(HouseRules, ALargeRunFitsTheOddsOfItsRulesAndNotTheGames)
{
    std::mt19937 random(44);
    for (int rulesSet = 0; rulesSet < 3; ++rulesSet) {
        const HouseRules rules({RandomTable(random, RulesTableId::LowImportance),
                                RandomTable(random, RulesTableId::LowSpecial)});
        RunStatistics house(DetailLevel::Low, false, &rules);
        RunStatistics game(DetailLevel::Low, false);
        SeededDice dice(static_cast<Seed>(rulesSet) + 100);
        for (int number = 2; number <= 200001; ++number) {
            const SystemRecord system = GenerateLowSystem(dice, false, &rules);
            house.Add(number, system);
            game.Add(number, system);
        }
        for (std::size_t table = 0; table < house.Tables().size(); ++table) {
            EXPECT_GT(house.Fit(table).p, 1e-6) << rulesSet << " " << house.Tables()[table].name;
            double apart = 0.0;
            for (std::size_t group = 0; group < house.Tables()[table].groups.size(); ++group) {
                for (std::size_t outcome = 0; outcome < house.Tables()[table].outcomes.size(); ++outcome) {
                    apart = std::max(apart, std::fabs(house.Tables()[table].odds[group][outcome] -
                                                      game.Tables()[table].odds[group][outcome]));
                }
            }
            if (apart > 0.01) {
                EXPECT_LT(game.Fit(table).p, 1e-6) << rulesSet << " " << house.Tables()[table].name;
            }
        }
    }
}

constexpr const char* kThreeDice = R"({"format": 1, "tables": {"low.importance": {"dice": "3d6", "rows": [
  {"from": 3, "to": 8, "result": "Outpost"}, {"from": 9, "to": 18, "result": "Colony"}]}}}
)";

TEST(HouseRules, ADocumentKeepsItsRulesAndIsRefusedWhenTheyDoNotMatchItsDigest)
{
    const RulesRead read = ReadRules(kThreeDice);
    ASSERT_NE(read.rules, nullptr);
    RunSettings settings{50, DetailLevel::Low, true, 12};
    settings.rules = read.rules;
    SeededDice dice(12);
    ResultTree tree;
    TempDir directory;
    ReportFiles reports(directory.path());
    testing::RecordingNotifier notifier;
    std::string document;
    JsonExport json("nexmar-cli", [&](std::string_view text) { document.append(text); });
    RunOutput* const outputs[] = {&json};
    RunGeneration({settings}, dice, tree, reports, notifier, {}, outputs);

    std::istringstream in(document);
    const auto loaded = LoadJsonRun(in, 1000);
    ASSERT_TRUE(std::holds_alternative<LoadedRun>(loaded)) << std::get<JsonReadError>(loaded).message;
    EXPECT_EQ(std::get<LoadedRun>(loaded).summary.settings.rules, settings.rules);

    // The rules say otherwise than the digest: another result for 9 to 18.
    std::string tampered = document;
    const std::size_t at = tampered.find("\"result\":\"Colony\"}]");
    ASSERT_NE(at, std::string::npos);
    tampered.replace(at, 17, "\"result\":\"Outpost\"");
    std::istringstream changed(tampered);
    // By these rules no system but the first is a Major Colony.
    std::string unrolled = document;
    const std::size_t second = unrolled.find("\"size\":\"", unrolled.find("\"number\":2"));
    ASSERT_NE(second, std::string::npos);
    unrolled.replace(second, unrolled.find('"', second + 8) - second + 1, "\"size\":\"Major Colony\"");
    std::istringstream major(unrolled);
    const auto notRolled = LoadJsonRun(major, 1000);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(notRolled));
    EXPECT_NE(std::get<JsonReadError>(notRolled).message.find("/systems/1/size (line 3): expected a size class the "
                                                              "importance table of the document's rules gives"),
              std::string::npos)
        << std::get<JsonReadError>(notRolled).message;
    const auto refused = LoadJsonRun(changed, 1000);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(refused));
    EXPECT_NE(std::get<JsonReadError>(refused).message.find("/rulesDigest (line 1): expected the SHA-256 of the rules"),
              std::string::npos)
        << std::get<JsonReadError>(refused).message;
}

constexpr const char* kTwoFaults = R"({"format": 1, "tables": {"low.importance": {"rows": [
  {"from": 2, "to": 6, "result": "Capital"}, {"from": 8, "to": 12, "result": "Colony"}]}}}
)";

// Every output of a run, as the command line writes it.
struct CliOutputs {
    std::string tree, text, html, json;
};
CliOutputs RunWith(std::vector<std::string> args, const TempDir& directory)
{
    args.insert(args.end(), {"--tree", "--dir", directory.path().string(), "--json",
                             (directory.path() / "run.json").string()});
    const testing::CliRun run = RunNexmarCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return {run.out, ReadFile(directory.path() / "TNXT001"), ReadFile(directory.path() / "TNXH001"),
            ReadFile(directory.path() / "run.json")};
}

TEST(HouseRulesCli, ARunByThePrintedRulesIsByteForByteTheGamesRun)
{
    TempDir files, game, printed;
    const testing::CliRun print = RunNexmarCli({"--print-rules"});
    ASSERT_EQ(print.status, 0);
    WriteFile(files.path() / "rules.json", print.out);
    const std::vector<std::string> run = {"--systems", "300", "--census", "--seed", "31"};
    std::vector<std::string> withRules = run;
    withRules.insert(withRules.end(), {"--rules", (files.path() / "rules.json").string()});
    const CliOutputs a = RunWith(run, game);
    const CliOutputs b = RunWith(withRules, printed);
    EXPECT_EQ(a.tree, b.tree);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.html, b.html);
    EXPECT_EQ(a.json, b.json);
}

TEST(HouseRulesCli, FromJsonReproducesARunByHouseRules)
{
    TempDir files, rolled, rendered;
    WriteFile(files.path() / "rules.json", kThreeDice);
    const CliOutputs a = RunWith({"--systems", "200", "--seed", "8", "--rules", (files.path() / "rules.json").string()},
                                 rolled);
    const CliOutputs b = RunWith({"--from-json", (rolled.path() / "run.json").string()}, rendered);
    EXPECT_NE(a.json.find("\"rulesDigest\":\""), std::string::npos);
    EXPECT_EQ(a.tree, b.tree);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.html, b.html);
    EXPECT_EQ(a.json, b.json);
    const testing::CliRun odds = RunNexmarCli({"--rules", (files.path() / "rules.json").string(), "--print-odds"});
    EXPECT_NE(odds.out.find("Low: size class by importance | Outpost: "), std::string::npos) << odds.out;
    EXPECT_EQ(odds.out.find("| Colony: 0.194444 (game's 0.194444)"), std::string::npos) << odds.out;
}

TEST(HouseRulesCli, ARefusedFileStopsTheRunBeforeAnyFileIsTouched)
{
    TempDir files, reports;
    WriteFile(files.path() / "rules.json", kTwoFaults);
    const testing::CliRun run = RunNexmarCli({"--rules", (files.path() / "rules.json").string(), "--systems", "5",
                                              "--dir", reports.path().string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("nexmar-cli: --rules: " + (files.path() / "rules.json").string() +
                                ":2:34: /tables/low.importance/rows/0/result: unknown result \"Capital\"",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(reports.path()));
    const testing::CliRun beside = RunNexmarCli({"--rules", (files.path() / "rules.json").string(), "--from-json",
                                                 (files.path() / "run.json").string()});
    EXPECT_EQ(beside.status, 2);
    EXPECT_NE(beside.err.find("--rules cannot be given with --from-json"), std::string::npos) << beside.err;
}

}  // namespace
}  // namespace nexmar
