#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>

#include "cli/cli_app.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::RunNexmarCli;
using testing::TempDir;

// A refused command line: status 2, nothing on standard output and one line
// on standard error that names the program and holds message.
void ExpectRefusedSaying(const CliRun& run, const std::string& message)
{
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_EQ(run.err.rfind("nexmar-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
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
    // Drawn from the system's entropy, never of a size a search of 2^32 seeds covers.
    EXPECT_GE(std::stoull(seed), 4294967296ull);
    EXPECT_EQ(RunNexmarCli({"--dir", again.path(), "--seed", seed}).status, 0);
    EXPECT_EQ(ReadFile(dir.path() / "TNXT001"), ReadFile(again.path() / "TNXT001"));
}

// Numbers are read in base 10 only, with an optional plus sign.
TEST(Cli, NumbersAreDecimalWhateverTheirLeadingZeros)
{
    TempDir dir;
    const CliRun nine = RunNexmarCli({"--systems", "09", "--seed", "10", "--tree", "--dir", dir.path()});
    ASSERT_EQ(nine.status, 0) << nine.err;
    EXPECT_NE(nine.out.find("\n  [0] System 9\n"), std::string::npos);
    EXPECT_EQ(nine.out.find("System 10"), std::string::npos);
    for (const std::vector<std::string>& same :
         {std::vector<std::string>{"--systems", "9", "--seed", "010"}, {"--systems", "+9", "--seed", "+10"}}) {
        std::vector<std::string> args = same;
        args.insert(args.end(), {"--tree", "--dir", dir.path()});
        const CliRun run = RunNexmarCli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, nine.out) << same[1] << " " << same[3];
    }
    const CliRun largest = RunNexmarCli({"--seed", "18446744073709551615", "--tree", "--dir", dir.path()});
    const CliRun padded = RunNexmarCli({"--seed", "018446744073709551615", "--tree", "--dir", dir.path()});
    ASSERT_EQ(largest.status, 0) << largest.err;
    EXPECT_EQ(padded.status, 0) << padded.err;
    EXPECT_EQ(padded.out, largest.out);
}

// Every count the run refuses, and every other bad input, is refused before
// anything runs, with one line that names the option, its text and what it
// accepts.
TEST(Cli, BadInputIsOneLineOnStandardErrorWithStatusTwoAndTouchesNoFile)
{
    TempDir dir;
    const std::string where = dir.path();
    const std::string systems = "' is out of range; expected an integer from 1 to 1000000";
    const std::string seed = "' is out of range; expected an integer from 0 to 18446744073709551615";
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--systems", "0"}, "--systems: '0" + systems},
        {{"--systems", "1000001"}, "--systems: '1000001" + systems},
        {{"--systems", "001000001"}, "--systems: '001000001" + systems},
        {{"--systems", "-3"}, "--systems: '-3" + systems},
        {{"--systems", "99999999999"}, "--systems: '99999999999" + systems},
        {{"--systems", "abc"}, "--systems: 'abc' is not an integer; expected an integer from 1 to 1000000"},
        {{"--systems", "1e3"}, "--systems: '1e3' is not an integer"},
        {{"--systems", "0x10"}, "--systems: '0x10' is not an integer"},
        {{"--systems", "5 5"}, "--systems: '5 5' is not an integer"},
        {{"--seed", "18446744073709551616"}, "--seed: '18446744073709551616" + seed},
        {{"--seed", "-1"}, "--seed: '-1" + seed},
        {{"--seed", "1.5"}, "--seed: '1.5' is not an integer; expected an integer from 0 to 18446744073709551615"},
        {{"--detail", "extreme"}, "--detail: extreme not in {low,medium,high}"},
        {{"--frobnicate"}, "--frobnicate"},
        {{"--dir", where + "/missing"}, "--dir: '" + where + "/missing' is not a writable directory"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        if (args.front() != "--dir") {
            args.insert(args.end(), {"--dir", where});
        }
        ExpectRefusedSaying(RunNexmarCli(args), c.message);
    }
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

// Help, the version and the tree all fail alike when standard output takes
// nothing: on a full disk, or when it is open for reading only. A run then
// replaces no file, as when its reader goes away.
TEST(Cli, OutputThatCannotBeWrittenGivesStatusOneAndTheMessage)
{
    TempDir dir;
    const struct {
        const char* device;
        const char* mode;
        const char* reason;
        const char* runReason;  // what a run says, which flushes its output itself
    } outputs[] = {{"/dev/full", "w", ": No space left on device", ": No space left on device"},
                   {"/dev/null", "r", "", ": a write failed"}};
    for (const auto& output : outputs) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"nexmar-cli", "--help"},
                                                     {"nexmar-cli", "--version"},
                                                     {"nexmar-cli", "--seed", "1", "--tree", "--dir", dir.path()}}) {
            std::FILE* out = std::fopen(output.device, output.mode);
            ASSERT_NE(out, nullptr);
            char* errBytes = nullptr;
            std::size_t errSize = 0;
            std::FILE* err = open_memstream(&errBytes, &errSize);
            const int status = RunCli(args, out, err);
            std::fclose(out);
            std::fclose(err);
            const std::string message(errBytes, errSize);
            std::free(errBytes);
            EXPECT_EQ(status, 1) << args[1] << " > " << output.device;
            const bool run = args[1] == "--seed";
            EXPECT_EQ(message, std::string("nexmar-cli: could not write to standard output") +
                                   (run ? output.runReason : output.reason) +
                                   (run ? "; no file was replaced" : "") + "\n");
            EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
        }
    }
}

// A name the run chooses itself (a report, a picture) that holds anything
// but a file is refused before anything is touched, naming what it is.
TEST(Cli, ReportsThatCannotBeCreatedAreRefusedNamingTheFileAndTheCause)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "TNXT001");
    ExpectRefusedSaying(RunNexmarCli({"--dir", dir.path(), "--seed", "1", "--tree"}),
                        "--dir: '" + (dir.path() / "TNXT001").string() + "' is a directory; expected a file");
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

// Every file in dir with its bytes.
std::map<std::string, std::string> Contents(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        files[entry.path().filename().string()] =
            entry.is_symlink() ? "-> " + std::filesystem::read_symlink(entry.path()).string() : ReadFile(entry.path());
    }
    return files;
}

TEST(Cli, EmptyPathsAndTwoOutputsAtOneFileAreRefusedBeforeAnythingIsTouched)
{
    TempDir dir;
    const std::string at = dir.path().string() + "/";
    for (const char* name : {kTextReportName, kHtmlReportName, "run.json"}) {
        std::ofstream(dir.path() / name) << "earlier\n";
    }
    std::filesystem::create_symlink("run.json", dir.path() / "link.json");
    std::filesystem::create_symlink("run.json", dir.path() / "link.svg");
    std::filesystem::create_directory(dir.path() / "sub");
    // Links planted at pictures' names: to a file of the user's, and to one
    // that does not exist yet.
    std::filesystem::create_directory(dir.path() / "pics");
    std::filesystem::create_symlink("../run.json", dir.path() / "pics" / "system-0001.svg");
    std::filesystem::create_symlink("../made-through-a-link.json", dir.path() / "pics" / "system-0002.svg");
    const std::map<std::string, std::string> before = Contents(dir.path());
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--from-json", "", "--systems", "3"}, "--from-json: the path is empty"},
        {{"--json", ""}, "--json: the path is empty"},
        {{"--stats-json", ""}, "--stats-json: the path is empty"},
        {{"--dir", ""}, "--dir: the path is empty"},
        {{"--json", at + "run.json", "--stats-json", at + "run.json"},
         "--stats-json: '" + at + "run.json' is the same file as --json '" + at + "run.json'"},
        {{"--json", at + "link.json", "--stats-json", at + "sub/../run.json"}, "is the same file as --json"},
        {{"--json", at + "new.json", "--stats-json", at + "new.json"}, "is the same file as --json"},
        {{"--json", at + kTextReportName}, "is the same file as the report TNXT001 in --dir"},
        {{"--stats-json", at + "sub/../" + kHtmlReportName}, "is the same file as the report TNXH001 in --dir"},
        {{"--svg", ""}, "--svg: the path is empty"},
        {{"--svg-sheet", ""}, "--svg-sheet: the path is empty"},
        {{"--svg-legend", "--svg-sheet", at + "sheet.svg"}, "--svg-legend requires --svg"},
        {{"--svg", at + "missing"}, "--svg: '" + at + "missing' is not a writable directory"},
        {{"--json", at + "run.json", "--svg-sheet", at + "link.svg"},
         "--svg-sheet: '" + at + "link.svg' is the same file as --json '" + at + "run.json'"},
        {{"--svg-sheet", at + "sheet.jpg"},
         "--svg-sheet: '" + at + "sheet.jpg' does not end in .svg; the sheet is written as SVG only"},
        {{"--svg-sheet", at + "system-0003.svg", "--systems", "3", "--svg", at + "sub/.."},
         "--svg: '" + at + "sub/../system-0003.svg' is the same file as --svg-sheet"},
        {{"--systems", "2", "--svg", at + "pics"},
         "--svg: '" + at + "pics/system-0001.svg' is a symbolic link; expected a file the run may replace, or none"},
        {{"--systems", "2", "--svg", at + "pics", "--json", at + "made-through-a-link.json"},
         "--svg: '" + at + "pics/system-0001.svg' is a symbolic link"},
        {{"--systems", "10001", "--svg", at}, "--svg: the run shows 10001 systems; --svg writes at most 10000"},
        // Counted by a run of its own before anything is written.
        {{"--systems", "20000", "--where", "capacity >= 2 or capacity < 2", "--svg", at}, "the run shows 20000"},
        // Every output option meets the others: the handout too.
        {{"--handout", at + "sub/../run.json", "--json", at + "run.json"},
         "--handout: '" + at + "sub/../run.json' is the same file as --json '" + at + "run.json'"},
        {{"--stats-json", at + "new.html", "--handout", at + "new.html"}, "is the same file as --stats-json"},
        {{"--svg-sheet", at + "link.svg", "--handout", at + "link.json"}, "is the same file as --svg-sheet"},
        {{"--handout", at + kHtmlReportName}, "--handout: '" + at + "TNXH001' is the same file as the report TNXH001"},
        {{"--handout", at + "system-0002.svg", "--systems", "2", "--svg", at},
         "--svg: '" + at + "system-0002.svg' is the same file as --handout '" + at + "system-0002.svg'"},
        // Standard output, by any of its names, takes one output: the tree
        // and the statistics' text count as one.
        {{"--tree", "--json", "-"}, "--json - and --tree cannot share standard output"},
        {{"--stats", "--json", "/dev/stdout"}, "--json '/dev/stdout' and --stats cannot share standard output"},
        {{"--tree", "--stats", "--stats-json", "-"}, "--stats-json - and --tree cannot share standard output"},
        {{"--tree", "--svg-sheet", "/dev/fd/1"}, "--svg-sheet '/dev/fd/1' and --tree cannot share standard output"},
        {{"--tree", "--handout", "-"}, "--handout - and --tree cannot share standard output"},
        {{"--json", "-", "--handout", "/proc/self/fd/1"},
         "--handout '/proc/self/fd/1' and --json - cannot share standard output"},
        {{"--stats-json", "/dev/stderr", "--handout", "/dev/fd/2"},
         "--handout: '/dev/fd/2' is the same stream as --stats-json '/dev/stderr'"},
        {{"--where", "capacity >= "}, "--where: column 13: expected a value after '>='"},
        {{"--where", "", "--json", at + "run.json"}, "--where: column 1: "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        if (args.front() != "--dir") {
            args.insert(args.end(), {"--seed", "1", "--dir", dir.path()});
        }
        ExpectRefusedSaying(RunNexmarCli(args), c.message);
        EXPECT_EQ(Contents(dir.path()), before) << c.message;
    }
}

// An output that names standard output, by any of its names, writes there
// what it writes to a file, and makes no file of the name: "-" as
// /dev/stdout, for every output alike.
TEST(Cli, EveryOutputWritesToStandardOutputByEachOfItsNames)
{
    TempDir dir;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::vector<std::string> run = {"--systems", "3", "--detail", "medium", "--seed", "4"};
    for (const char* option : {"--json", "--stats-json", "--svg-sheet", "--handout"}) {
        std::vector<std::string> toFile = run;
        toFile.insert(toFile.end(), {option, "file.svg"});
        ASSERT_EQ(RunNexmarCli(toFile).status, 0) << option;
        const std::string written = ReadFile(dir.path() / "file.svg");
        ASSERT_FALSE(written.empty()) << option;
        for (const char* name : {"-", "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "/proc/thread-self/fd/1"}) {
            std::vector<std::string> args = run;
            args.insert(args.end(), {option, name});
            const CliRun toStandardOutput = RunNexmarCli(args);
            EXPECT_EQ(toStandardOutput.status, 0) << option << " " << name << ": " << toStandardOutput.err;
            EXPECT_EQ(toStandardOutput.out, written) << option << " " << name;
        }
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "-")) << option;
    }
    std::filesystem::current_path(before);
}

// Records what a signal handler would be told.
class RecordingWatch final : public OutputWatch {
public:
    void TemporaryNamed(const std::string& path) override
    {
        standing.insert(path);
        ++named;
    }
    void TemporaryGone(const std::string& path) override { EXPECT_EQ(standing.erase(path), 1u) << path; }
    void Committed() override { ++commits; }
    std::set<std::string> standing;
    int named = 0;
    int commits = 0;
};

// Without unnamed files every output takes a temporary name, which the watch
// (the signal handler's) knows of until it is given up; the outputs are the
// same to the byte.
// Names relative to the working folder, with "./", "..", or the reports'
// default folder, are one file when they name one, whether or not it
// exists yet.
TEST(Cli, TwoOutputsNamedApartInTheWorkingFolderAreRefusedAsOneFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "sub");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--json", "./x.json", "--stats-json", "x.json"}, "--stats-json: 'x.json' is the same file as --json './x.json'"},
        {{"--json", "TNXT001"}, "--json: 'TNXT001' is the same file as the report TNXT001 in --dir"},
        {{"--json", "sub/../y.svg", "--svg-sheet", "./sub/../y.svg"}, "is the same file as --json 'sub/../y.svg'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--seed", "1"});
        ExpectRefusedSaying(RunNexmarCli(args), c.message);
        EXPECT_EQ(Contents(dir.path()).size(), 1u) << c.message;  // sub alone
    }
    std::filesystem::current_path(before);
}

TEST(Cli, WithoutUnnamedFilesTheOutputsTakeTemporaryNamesThatTheWatchKnows)
{
    std::map<std::string, std::string> outputs[2];
    for (const UnnamedFiles unnamed : {UnnamedFiles::Allowed, UnnamedFiles::Refused}) {
        TempDir dir;
        RecordingWatch watch;
        const CliRun run = RunNexmarCli({"--systems", "20", "--detail", "high", "--census", "--seed", "7", "--dir",
                                         dir.path(), "--json", dir.path() / "run.json", "--stats-json",
                                         dir.path() / "stats.json"},
                                        {&watch, unnamed});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(watch.commits, 1);
        EXPECT_EQ(watch.named, 4) << "every output is linked under a name of its own before it replaces its target";
        EXPECT_TRUE(watch.standing.empty());
        outputs[unnamed == UnnamedFiles::Refused] = Contents(dir.path());
    }
    EXPECT_EQ(outputs[0].size(), 4u);
    EXPECT_EQ(outputs[0], outputs[1]);
}

// An output that fails replaces none: the reports stay the earlier run's.
TEST(Cli, AnOutputThatFailsLeavesEveryEarlierFile)
{
    if (::access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no writable /dev/full";
    }
    TempDir dir;
    std::ofstream(dir.path() / kTextReportName) << "earlier\n";
    const std::map<std::string, std::string> before = Contents(dir.path());
    const CliRun run = RunNexmarCli({"--seed", "3", "--dir", dir.path(), "--json", "/dev/full", "--stats-json",
                                     dir.path() / "stats.json"});
    EXPECT_EQ(run.status, 1);
    // One line, though every output but the statistics failed.
    EXPECT_EQ(run.err, "nexmar-cli: --json: cannot write '/dev/full': No space left on device; no file was replaced\n");
    EXPECT_EQ(Contents(dir.path()), before);
}

}  // namespace
}  // namespace nexmar
