#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "cli/cli_app.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::TempDir;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunNexmarCli(std::vector<std::string> args)
{
    args.insert(args.begin(), "nexmar-cli");
    char* outBytes = nullptr;
    char* errBytes = nullptr;
    std::size_t outSize = 0;
    std::size_t errSize = 0;
    std::FILE* out = open_memstream(&outBytes, &outSize);
    std::FILE* err = open_memstream(&errBytes, &errSize);
    CliRun run;
    run.status = RunCli(args, out, err);
    std::fclose(out);
    std::fclose(err);
    run.out.assign(outBytes, outSize);
    run.err.assign(errBytes, errSize);
    std::free(outBytes);
    std::free(errBytes);
    return run;
}

TEST(Cli, TheSameSeedGivesTheSameReportsAndTree)
{
    TempDir first, second;
    const CliRun a = RunNexmarCli({"--systems", "5", "--census", "--seed", "99", "--tree", "--dir", first.path()});
    const CliRun b = RunNexmarCli({"--systems", "5", "--census", "--seed", "99", "--tree", "--dir", second.path()});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.err, "");
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(ReadFile(first.path() / "TNXT001"), ReadFile(second.path() / "TNXT001"));
    EXPECT_EQ(ReadFile(first.path() / "TNXH001"), ReadFile(second.path() / "TNXH001"));
    EXPECT_EQ(a.out.rfind("[5] System Results\n  [0] System 1\n    [5] Base stats: Major Colony/Major\n", 0), 0u);
    EXPECT_NE(a.out.find("\n  [0] System 5\n"), std::string::npos);
}

TEST(Cli, WithoutASeedItPrintsTheSeedSoTheRunCanBeRepeated)
{
    TempDir dir, again;
    const CliRun run = RunNexmarCli({"--dir", dir.path(), "--detail", "LOW"});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.err.rfind("seed: ", 0), 0u);
    const std::string seed = run.err.substr(6, run.err.size() - 7);
    EXPECT_EQ(RunNexmarCli({"--dir", again.path(), "--seed", seed}).status, 0);
    EXPECT_EQ(ReadFile(dir.path() / "TNXT001"), ReadFile(again.path() / "TNXT001"));
}

TEST(Cli, BadInputIsOneLineOnStandardErrorWithStatusTwoAndTouchesNoFile)
{
    TempDir dir;
    const std::string where = dir.path();
    const std::vector<std::vector<std::string>> bad{
        {"--systems", "0"},      {"--systems", "1000001"}, {"--systems", "abc"},   {"--systems", "-3"},
        {"--systems", "1e3"},    {"--systems", "0x10"},    {"--systems", "99999999999"},
        {"--detail", "extreme"}, {"--frobnicate"},         {"--seed", "4294967296"}, {"--seed", "-1"},
        {"--dir", where + "/missing"}};
    for (std::vector<std::string> args : bad) {
        args.insert(args.end(), {"--dir", where});
        if (args.front() == "--dir") {
            args.resize(2);
        }
        const CliRun run = RunNexmarCli(args);
        EXPECT_EQ(run.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(run.err.rfind("nexmar-cli: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_NE(RunNexmarCli({"--systems", "0"}).err.find("1000000"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Cli, HelpAndVersionSucceed)
{
    const CliRun help = RunNexmarCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--systems"), std::string::npos);
    const CliRun version = RunNexmarCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "nexmar-cli 1.0\n");
}

TEST(Cli, ReportsThatCannotBeCreatedGiveStatusOneAndTheMessage)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "TNXT001");
    const CliRun run = RunNexmarCli({"--dir", dir.path(), "--seed", "1", "--tree"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Unable to open temporary files for output"), std::string::npos);
    EXPECT_NE(run.out.find("[0] System 1"), std::string::npos);
}

TEST(Cli, StatisticsFollowTheRunWithoutChangingIt)
{
    TempDir plain, counted;
    const CliRun run =
        RunNexmarCli({"--systems", "30", "--detail", "high", "--seed", "5", "--tree", "--dir", plain.path()});
    const CliRun withStats = RunNexmarCli(
        {"--systems", "30", "--detail", "high", "--seed", "5", "--tree", "--stats", "--dir", counted.path()});
    ASSERT_EQ(withStats.status, 0);
    ASSERT_EQ(withStats.out.rfind(run.out, 0), 0u);
    EXPECT_EQ(ReadFile(plain.path() / "TNXH001"), ReadFile(counted.path() / "TNXH001"));
    const std::string statistics = withStats.out.substr(run.out.size());
    EXPECT_EQ(statistics.rfind("Sector totals (High detail)\n  Systems: 30\n", 0), 0u) << statistics;
    EXPECT_NE(statistics.find("\nHigh: moon by planet: chi-square "), std::string::npos);

    const CliRun unwritable = RunNexmarCli({"--seed", "5", "--dir", plain.path(), "--stats-json", plain.path()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("could not write the statistics"), std::string::npos);
}

}  // namespace
}  // namespace nexmar
