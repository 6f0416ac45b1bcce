#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli_app.h"
#include "support/test_support.h"
#include "invariants/run_invariants.h"

namespace nexmar {
namespace {

using invariants::CheckRun;
using invariants::RecordedRun;
using invariants::RecordRun;
using testing::ReadFile;
using testing::TempDir;

constexpr std::uint32_t kSeed = 4711;
constexpr DetailLevel kLevels[] = {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High};

std::string Name(DetailLevel level)
{
    return std::to_string(static_cast<int>(level));
}

// A file saved by an earlier session beside the reports, which no failure may touch.
void PlaceEarlierFile(const std::filesystem::path& dir)
{
    std::ofstream(dir / "saved-report.txt") << "System,Size/Importance\n1,Colony/Minor\n";
}

void ExpectEarlierFileIntact(const std::filesystem::path& dir)
{
    EXPECT_EQ(ReadFile(dir / "saved-report.txt"), "System,Size/Importance\n1,Colony/Minor\n");
}

RecordedRun SeededRun(DetailLevel level, const std::filesystem::path& dir, int systems = 20)
{
    SeededDice dice(kSeed);
    return RecordRun({{systems, level, true}}, dice, dir);
}

// The tree is whole whatever became of the reports.
void ExpectTreeComplete(const RecordedRun& run)
{
    EXPECT_FALSE(run.tree.empty());
    EXPECT_EQ(CheckRun(run), std::vector<std::string>{});
    EXPECT_EQ(run.tree.Children(run.tree.Children(kNoItem).at(0)).size(), static_cast<std::size_t>(run.inputs.settings.systems));
}

TEST(ReportFaults, ADirectoryWhereNoReportCanBeCreated)
{
    TempDir dir;
    PlaceEarlierFile(dir.path());
    const std::filesystem::path places[] = {dir.path() / "missing", dir.path() / "saved-report.txt", "/proc"};
    for (const DetailLevel level : kLevels) {
        for (const auto& place : places) {
            SCOPED_TRACE(place.string() + " at level " + Name(level));
            const RecordedRun run = SeededRun(level, place);
            ExpectTreeComplete(run);
            EXPECT_FALSE(run.outcome.reportsComplete);
            EXPECT_EQ(run.notices, std::vector<std::string>{kOpenReportsFailed});
        }
    }
    ExpectEarlierFileIntact(dir.path());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

TEST(ReportFaults, AReportNameTakenByADirectory)
{
    for (const DetailLevel level : kLevels) {
        for (const char* taken : {kHtmlReportName, kTextReportName}) {
            SCOPED_TRACE(std::string(taken) + " at level " + Name(level));
            TempDir dir;
            PlaceEarlierFile(dir.path());
            std::filesystem::create_directory(dir.path() / taken);
            std::ofstream(dir.path() / taken / "inside") << "kept\n";
            const RecordedRun run = SeededRun(level, dir.path());
            ExpectTreeComplete(run);
            EXPECT_FALSE(run.outcome.reportsComplete);
            EXPECT_EQ(run.notices, std::vector<std::string>{kOpenReportsFailed});
            EXPECT_EQ(ReadFile(dir.path() / taken / "inside"), "kept\n");
            ExpectEarlierFileIntact(dir.path());
        }
    }
}

// What a run in a child process under a file-size limit saw.
struct LimitedRun {
    bool generated = false;
    bool complete = false;
    bool onlyWriteMessage = false;  // exactly one message, the write failure
    bool noMessage = false;
    bool treeSound = false;
    std::uintmax_t htmlSize = 0;
    std::uintmax_t textSize = 0;
};

// Runs in a forked child whose files may not grow beyond limit bytes, with
// SIGXFSZ ignored so that the writes fail as on a full disk.
LimitedRun RunUnderFileSizeLimit(DetailLevel level, const std::filesystem::path& dir, rlim_t limit)
{
    int channel[2];
    if (::pipe(channel) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const rlimit fileSize{limit, limit};
        ::signal(SIGXFSZ, SIG_IGN);
        LimitedRun seen;
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) == 0) {
            const RecordedRun run = SeededRun(level, dir);
            seen.generated = !run.tree.empty();
            seen.complete = run.outcome.reportsComplete;
            seen.onlyWriteMessage = run.notices == std::vector<std::string>{kWriteReportsFailed};
            seen.noMessage = run.notices.empty();
            seen.treeSound = CheckRun(run).empty();
            seen.htmlSize = run.html.size();
            seen.textSize = run.text.size();
        }
        const bool sent = ::write(channel[1], &seen, sizeof seen) == static_cast<ssize_t>(sizeof seen);
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    LimitedRun seen;
    const bool received = ::read(channel[0], &seen, sizeof seen) == static_cast<ssize_t>(sizeof seen);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(received && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child died";
    return seen;
}

TEST(ReportFaults, WritesThatFailPartwayAreNeverPassedOffAsComplete)
{
    for (const DetailLevel level : kLevels) {
        TempDir free;
        const RecordedRun whole = SeededRun(level, free.path());
        ASSERT_TRUE(whole.outcome.reportsComplete);
        const rlim_t htmlSize = whole.html.size();
        const rlim_t textSize = whole.text.size();
        const rlim_t larger = std::max(htmlSize, textSize);
        // From the prologue to the last byte of the larger report, which only
        // the closing flush writes.
        for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{100}, std::min(htmlSize, textSize) / 2,
                                   std::min(htmlSize, textSize) - 1, larger - 1}) {
            SCOPED_TRACE("limit " + std::to_string(limit) + " at level " + Name(level));
            TempDir dir;
            PlaceEarlierFile(dir.path());
            const LimitedRun run = RunUnderFileSizeLimit(level, dir.path(), limit);
            EXPECT_TRUE(run.generated);
            EXPECT_TRUE(run.treeSound);
            EXPECT_FALSE(run.complete);
            EXPECT_TRUE(run.onlyWriteMessage);
            EXPECT_LE(run.htmlSize, limit);
            EXPECT_LE(run.textSize, limit);
            ExpectEarlierFileIntact(dir.path());
        }
        TempDir dir;
        const LimitedRun enough = RunUnderFileSizeLimit(level, dir.path(), larger);
        EXPECT_TRUE(enough.complete && enough.noMessage && enough.treeSound) << "level " << Name(level);
        EXPECT_EQ(ReadFile(dir.path() / kHtmlReportName), whole.html);
        EXPECT_EQ(ReadFile(dir.path() / kTextReportName), whole.text);
    }
}

TEST(ReportFaults, AFullDeviceUnderEitherReport)
{
    if (::access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no writable /dev/full";
    }
    for (const DetailLevel level : kLevels) {
        for (const bool htmlFull : {true, false}) {
            TempDir dir;
            const auto file = dir.path() / (htmlFull ? kTextReportName : kHtmlReportName);
            ReportFiles reports(htmlFull ? "/dev/full" : file, htmlFull ? file : "/dev/full");
            SeededDice dice(kSeed);
            ResultTree tree;
            testing::RecordingNotifier notifier;
            const RunOutcome outcome = RunGeneration({{20, level, false}}, dice, tree, reports, notifier);
            EXPECT_FALSE(tree.empty());
            EXPECT_FALSE(outcome.reportsComplete) << "level " << Name(level) << (htmlFull ? " HTML" : " text");
            EXPECT_EQ(notifier.messages, std::vector<std::string>{kWriteReportsFailed});
        }
    }
}

// What a later save may copy: only the report exactly as the last complete run closed it.
TEST(ReportFaults, OnlyTheReportsAsTheRunClosedThemCountAsItsReports)
{
    TempDir dir;
    SeededDice dice(kSeed);
    ResultTree tree;
    ReportFiles reports(dir.path());
    testing::RecordingNotifier notifier;
    ASSERT_TRUE(RunGeneration({{3, DetailLevel::High, true}}, dice, tree, reports, notifier).reportsComplete);
    const auto asClosed = [&](const char* name, bool html) {
        const int fd = ::open((dir.path() / name).c_str(), O_RDONLY);
        const bool same = fd >= 0 && reports.IsAsClosed(fd, html);
        if (fd >= 0) {
            ::close(fd);
        }
        return same;
    };
    EXPECT_TRUE(asClosed(kHtmlReportName, true));
    EXPECT_TRUE(asClosed(kTextReportName, false));
    EXPECT_FALSE(asClosed(kTextReportName, true));

    std::ofstream(dir.path() / kTextReportName, std::ios::app) << "1A.9,Terrestrial\n";
    EXPECT_FALSE(asClosed(kTextReportName, false));
    const std::string html = ReadFile(dir.path() / kHtmlReportName);
    std::filesystem::remove(dir.path() / kHtmlReportName);
    std::ofstream(dir.path() / kHtmlReportName) << html;
    EXPECT_FALSE(asClosed(kHtmlReportName, true));

    // A complete run, then one whose HTML report cannot be opened.
    ASSERT_TRUE(RunGeneration({{3, DetailLevel::Low, true}}, dice, tree, reports, notifier).reportsComplete);
    EXPECT_TRUE(asClosed(kTextReportName, false));
    std::filesystem::remove(dir.path() / kHtmlReportName);
    std::filesystem::create_directory(dir.path() / kHtmlReportName);
    EXPECT_FALSE(RunGeneration({{3, DetailLevel::Low, true}}, dice, tree, reports, notifier).reportsComplete);
    EXPECT_FALSE(asClosed(kTextReportName, false));
}

// The reports an earlier command-line run left, which a failed run must
// leave as they were, with nothing beside them.
void PlaceEarlierReports(const std::filesystem::path& dir)
{
    std::ofstream(dir / kTextReportName) << "earlier text\n";
    std::ofstream(dir / kHtmlReportName) << "earlier html\n";
}

void ExpectOnlyTheEarlierReports(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{kHtmlReportName, kTextReportName}));
    EXPECT_EQ(ReadFile(dir / kTextReportName), "earlier text\n");
    EXPECT_EQ(ReadFile(dir / kHtmlReportName), "earlier html\n");
}

// What the command line said as it ended in a forked child.
struct EndedCli {
    int exitStatus = -1;  // -1: it did not exit
    std::string err;
};

// Runs nexmar-cli in a child under limit. Signals sent to the program itself
// are tried in cli/cli_commit_test.cpp.
EndedCli RunCliInChild(const std::vector<std::string>& args, rlim_t limit)
{
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        ::close(err[0]);
        ::dup2(err[1], STDERR_FILENO);
        const rlimit fileSize{limit, limit};
        ::signal(SIGXFSZ, SIG_IGN);
        std::FILE* tree = ::fdopen(out[1], "w");
        ::_exit(::setrlimit(RLIMIT_FSIZE, &fileSize) == 0 && tree != nullptr ? RunCli(args, tree, stderr) : 99);
    }
    ::close(out[1]);
    ::close(err[1]);
    EndedCli ended;
    char bytes[256];
    for (ssize_t n; (n = ::read(err[0], bytes, sizeof bytes)) > 0;) {
        ended.err.append(bytes, static_cast<std::size_t>(n));
    }
    ::close(err[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(out[0]);  // only now: a reader that went away would end the child by SIGPIPE
    if (WIFEXITED(status)) {
        ended.exitStatus = WEXITSTATUS(status);
    }
    return ended;
}

// The command line says so in its exit status when the disk fills, and
// leaves no part of its reports behind.
TEST(ReportFaults, TheCommandLineExitsWithOneWhenWritesFailAndKeepsTheEarlierReports)
{
    // The larger run fails after its first blocks were written.
    const std::pair<const char*, rlim_t> cases[] = {{"200", 0}, {"200", 1000}, {"20000", 1500000}};
    for (const auto& [systems, limit] : cases) {
        TempDir dir;
        PlaceEarlierReports(dir.path());
        const EndedCli ended = RunCliInChild(
            {"nexmar-cli", "--systems", systems, "--census", "--seed", "9", "--dir", dir.path().string()}, limit);
        EXPECT_EQ(ended.exitStatus, kExitReportsFailed) << "limit " << limit;
        EXPECT_NE(ended.err.find("could not write the reports TNXT001 and TNXH001 in"), std::string::npos) << ended.err;
        // The line says why, as every other failure does.
        EXPECT_NE(ended.err.find(std::string("': ") + std::strerror(EFBIG)), std::string::npos) << ended.err;
        EXPECT_EQ(std::count(ended.err.begin(), ended.err.end(), '\n'), 1) << ended.err;
        ExpectOnlyTheEarlierReports(dir.path());
    }
}

}  // namespace
}  // namespace nexmar
