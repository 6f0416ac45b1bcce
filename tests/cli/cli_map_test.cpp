#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "support/cli_runner.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RunNexmarCli;
using testing::TempDir;

TEST(CliMap, BadMapOptionsAreRefusedBeforeAnythingIsTouched)
{
    TempDir dir;
    const std::string at = dir.path().string() + "/";
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--map", ""}, "--map: the path is empty"},
        {{"--map", at + "map.png"}, "--map: '" + at + "map.png' does not end in .svg"},
        {{"--map", at + "m.svg", "--density", "crowded"}, "--density: 'crowded' is none of rift, sparse"},
        {{"--map", at + "m.svg", "--density", "0"}, "--density: '0' is none of"},
        {{"--map", at + "m.svg", "--jump", "7"}, "--jump: '7' is out of range; expected an integer from 1 to 6"},
        {{"--jump", "3"}, "--jump requires --map"},
        {{"--map", at + "m.svg", "--systems", "40", "--map-sector", "2"},
         "--map-sector: the map of 40 systems at density Standard spans 1 sector; expected 1 to 1"},
        {{"--map", at + "m.svg", "--svg-sheet", at + "m.svg"}, "is the same file as --svg-sheet"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--dir", at});
        const testing::CliRun run = RunNexmarCli(args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Each system's hex as the map's tooltips give it, by number.
std::map<int, std::string> HexesOn(const std::string& svg)
{
    std::map<int, std::string> hexes;
    const std::regex tip("<title>System (\\d+)[^<]* \\((\\d{4})\\)</title>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tip); it != std::sregex_iterator(); ++it) {
        hexes[std::stoi((*it)[1])] = (*it)[2];
    }
    return hexes;
}

// The map leaves the dice alone, and a query leaves every system its hex.
TEST(CliMap, TheMapMovesNoDiceAndAQueryMovesNoSystem)
{
    TempDir plain;
    TempDir mapped;
    const std::vector<std::string> run{"--systems", "60", "--seed", "31", "--detail", "high", "--tree"};
    std::vector<std::string> args = run;
    args.insert(args.end(), {"--dir", plain.path().string()});
    const testing::CliRun without = RunNexmarCli(args);
    args = run;
    args.insert(args.end(), {"--dir", mapped.path().string(), "--map", (mapped.path() / "all.svg").string()});
    const testing::CliRun with = RunNexmarCli(args);
    ASSERT_EQ(with.status, 0) << with.err;
    EXPECT_EQ(with.out, without.out);
    for (const char* report : {kTextReportName, kHtmlReportName}) {
        EXPECT_EQ(ReadFile(mapped.path() / report), ReadFile(plain.path() / report)) << report;
    }
    const std::map<int, std::string> all = HexesOn(ReadFile(mapped.path() / "all.svg"));
    EXPECT_EQ(all.size(), 60u);
    const testing::CliRun filtered =
        RunNexmarCli({"--systems", "60", "--seed", "31", "--detail", "high", "--dir", mapped.path().string(),
                      "--where", "star.colour = Red", "--map", (mapped.path() / "some.svg").string()});
    ASSERT_EQ(filtered.status, 0) << filtered.err;
    const std::map<int, std::string> some = HexesOn(ReadFile(mapped.path() / "some.svg"));
    EXPECT_LT(some.size(), all.size());
    for (const auto& [number, hex] : some) {
        EXPECT_EQ(hex, all.at(number)) << number;
    }
}

// A saved run is mapped as its document keeps it: at its density, with the
// systems the referee moved where they were moved; an earlier document with
// its seed's places, which is said in one line.
TEST(CliMap, ASavedRunIsMappedWithItsDensityAndItsMoves)
{
    TempDir dir;
    const std::string at = dir.path().string() + "/";
    ASSERT_EQ(RunNexmarCli({"--systems", "30", "--seed", "5", "--dir", at, "--json", at + "run.json", "--map",
                            at + "dense.svg", "--density", "dense"})
                  .status,
              0);
    std::string document = ReadFile(at + "run.json");
    ASSERT_NE(document.find("\"density\":66"), std::string::npos);
    const std::map<int, std::string> before = HexesOn(ReadFile(at + "dense.svg"));
    // System 2 moved to the hex of none: one the map shows no system in.
    std::string free;
    for (int column = 1; column <= 8 && free.empty(); ++column) {
        for (int row = 1; row <= 10 && free.empty(); ++row) {
            const std::string hex = (column < 10 ? "0" : "") + std::to_string(column) + (row < 10 ? "0" : "") +
                                    std::to_string(row);
            bool held = false;
            for (const auto& [number, place] : before) {
                held = held || place == hex;
            }
            if (!held) {
                free = hex;
            }
        }
    }
    const std::string second = "\"hex\":\"" + before.at(2) + "\"";
    document.replace(document.find(second, document.find("\"number\":2,")), second.size(),
                     "\"hex\":\"" + free + "\"");
    std::ofstream(at + "moved.json", std::ios::binary) << document;
    const testing::CliRun moved = RunNexmarCli({"--from-json", at + "moved.json", "--dir", at, "--map", at + "m.svg"});
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(moved.err, "");
    std::map<int, std::string> expected = before;
    expected[2] = free;
    EXPECT_EQ(HexesOn(ReadFile(at + "m.svg")), expected);
}

}  // namespace
}  // namespace nexmar
