// nexmar-cli itself, started as a user starts it, stopped by signals at the
// moments that matter: before its files are named, while they are named and
// after. Every file is the earlier run's or the new run's, never a mix, and
// nothing is left beside them.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <map>

#include "core/report_files.h"
#include "support/scratch.h"

extern char** environ;

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::TempDir;

// How the program is started, and what is done to it.
struct Launch {
    std::vector<std::string> args;  // without the program's name
    std::vector<std::string> env;   // NAME=VALUE added to the test's own
    rlim_t fileLimit = RLIM_INFINITY;
    bool outputClosed = false;  // standard output a pipe nobody reads
    int signalOnOutput = 0;     // sent once the first byte of standard output arrives
    rlimit openFiles{RLIM_INFINITY, RLIM_INFINITY};  // infinite: the test's own
};

struct Ended {
    int status = -1;  // the exit status; -1 when ended by a signal
    std::string out;
    std::string err;
};

// Reads both pipes to their ends at once, so that a child that fills one
// never waits on the other; out is -1 when it is not read.
void DrainBoth(int out, int err, Ended& ended)
{
    pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string* into[2] = {&ended.out, &ended.err};
    char block[65536];
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && fds[i].revents != 0) {
                const ssize_t n = ::read(fds[i].fd, block, sizeof block);
                if (n > 0) {
                    into[i]->append(block, static_cast<std::size_t>(n));
                } else {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                }
            }
        }
    }
}

Ended Start(const Launch& launch)
{
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    std::vector<std::string> args{NEXMAR_CLI_PATH};
    args.insert(args.end(), launch.args.begin(), launch.args.end());
    std::vector<std::string> env(launch.env);
    env.push_back(std::string("LD_PRELOAD=") + NEXMAR_SEAM_PATH);
    env.push_back("ASAN_OPTIONS=verify_asan_link_order=0");
    for (char** variable = environ; *variable != nullptr; ++variable) {
        env.emplace_back(*variable);
    }
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> list;
        for (std::string& s : strings) {
            list.push_back(s.data());
        }
        list.push_back(nullptr);
        return list;
    };
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    if (launch.outputClosed) {
        ::close(out[0]);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::close(out[1]);
        ::close(err[1]);
        ::close(err[0]);
        if (!launch.outputClosed) {
            ::close(out[0]);
        }
        const rlimit fileSize{launch.fileLimit, launch.fileLimit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        if (launch.openFiles.rlim_max != RLIM_INFINITY) {
            ::setrlimit(RLIMIT_NOFILE, &launch.openFiles);
        }
        for (const int signal : {SIGPIPE, SIGXFSZ, SIGINT, SIGTERM, SIGHUP}) {
            ::signal(signal, SIG_DFL);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    Ended ended;
    if (!launch.outputClosed) {
        char first = 0;
        if (launch.signalOnOutput != 0 && ::read(out[0], &first, 1) == 1) {
            ::kill(child, launch.signalOnOutput);
        }
    }
    DrainBoth(launch.outputClosed ? -1 : out[0], err[0], ended);
    int status = 0;
    ::waitpid(child, &status, 0);
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ended;
}

// The four files a run writes, as an earlier run left them.
const std::vector<std::string> kFiles{kHtmlReportName, kTextReportName, "run.json", "stats.json"};

void PlaceEarlierFiles(const std::filesystem::path& dir)
{
    for (const std::string& name : kFiles) {
        std::ofstream(dir / name) << "earlier " << name << "\n";
    }
}

std::vector<std::string> Names(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// How many of the four files the new run replaced; nothing else may stand beside them.
int Replaced(const std::filesystem::path& dir)
{
    std::vector<std::string> expected = kFiles;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir), expected);
    return static_cast<int>(std::count_if(kFiles.begin(), kFiles.end(), [&](const std::string& name) {
        return ReadFile(dir / name) != "earlier " + name + "\n";
    }));
}

// Stands for the run's folder in a launch's arguments.
constexpr const char* kRunFolder = "RUN-FOLDER";

std::vector<std::string> FileArgs(const std::filesystem::path& dir, std::vector<std::string> args)
{
    std::replace(args.begin(), args.end(), std::string(kRunFolder), dir.string());
    args.insert(args.end(), {"--seed", "9", "--dir", dir.string(), "--json", (dir / "run.json").string(),
                             "--stats-json", (dir / "stats.json").string()});
    return args;
}

std::size_t Lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Unnamed files where the file system has them; none; and no /proc to name
// them through, as in a chroot or a small container.
const char* const kUnnamedFiles[] = {"allowed", "refused", "allowed without /proc"};

std::vector<std::string> Env(const char* unnamed, std::vector<std::string> env = {})
{
    if (std::strcmp(unnamed, "refused") == 0) {
        env.push_back("NEXMAR_SEAM_NO_UNNAMED=1");
    } else if (std::strcmp(unnamed, "allowed without /proc") == 0) {
        env.push_back("NEXMAR_SEAM_NO_PROC=1");
    }
    return env;
}

// launch started with unnamed files allowed, refused, and without /proc,
// each time in a fresh folder of earlier files; check sees how it ended and
// the folder.
template <class Check>
void StartOverEarlierFiles(const char* name, const Launch& launch, Check check)
{
    for (const char* unnamed : kUnnamedFiles) {
        SCOPED_TRACE(std::string(name) + ", unnamed files " + unnamed);
        TempDir dir;
        PlaceEarlierFiles(dir.path());
        Launch started = launch;
        started.args = FileArgs(dir.path(), launch.args);
        started.env = Env(unnamed, launch.env);
        check(Start(started), dir.path());
    }
}

// Status 1 and one line on standard error, which holds says.
void ExpectStoppedSaying(const Ended& ended, const char* says)
{
    EXPECT_EQ(ended.status, 1);
    EXPECT_EQ(Lines(ended.err), 1u) << ended.err;
    EXPECT_NE(ended.err.find(says), std::string::npos) << ended.err;
}

// Stopped before the files are named, by a user's signal during the run or
// while the JSON document goes to the disk, by a reader that went away or by
// the file-size limit: status 1, one line, every earlier file as it was and
// no temporary file, whether the outputs were unnamed or had temporary names.
TEST(CliCommit, AStopBeforeTheCommitReplacesNoFileAndLeavesNothing)
{
    const std::vector<std::string> longRun{"--systems", "1000000", "--detail", "high", "--tree"};
    const std::vector<std::string> shortRun{"--systems", "50", "--detail", "high", "--census"};
    const std::vector<std::string> picturesRun{"--systems", "10000", "--detail", "high", "--tree", "--svg", kRunFolder};
    const struct {
        const char* name;
        Launch launch;
        const char* says;
    } cases[] = {
        {"SIGINT during the run", {longRun, {}, RLIM_INFINITY, false, SIGINT}, "interrupted (SIGINT) before"},
        {"SIGTERM during the run", {longRun, {}, RLIM_INFINITY, false, SIGTERM}, "terminated (SIGTERM) before"},
        {"SIGHUP during the run", {longRun, {}, RLIM_INFINITY, false, SIGHUP}, "hung up (SIGHUP) before"},
        {"SIGINT while pictures are written", {picturesRun, {}, RLIM_INFINITY, false, SIGINT},
         "interrupted (SIGINT) before"},
        {"SIGINT during the JSON's fsync", {shortRun, {"NEXMAR_SEAM_SIGNAL=fsync:1:2"}}, "(SIGINT) before"},
        {"the tree's reader gone", {longRun, {}, RLIM_INFINITY, true},
         "SIGPIPE (a pipe it wrote to was closed) before"},
        // Standard output is written whole before any file is named.
        {"the reader of a short tree gone", {{"--systems", "3", "--tree"}, {}, RLIM_INFINITY, true},
         "SIGPIPE (a pipe it wrote to was closed) before"},
        {"the size limit", {shortRun, {}, 20000}, "SIGXFSZ (a file reached the size limit) before"},
    };
    for (const auto& c : cases) {
        StartOverEarlierFiles(c.name, c.launch, [&](const Ended& ended, const std::filesystem::path& dir) {
            ExpectStoppedSaying(ended, c.says);
            EXPECT_NE(ended.err.find("no file was replaced"), std::string::npos) << ended.err;
            EXPECT_EQ(Replaced(dir), 0);
        });
    }
}

// Every picture is held open until the commit: a limit of open files too low
// for them is raised where its ceiling allows, and where not the run is
// refused before anything is touched.
TEST(CliCommit, PicturesRaiseTheOpenFileLimitOrAreRefusedBeforeAnythingIsTouched)
{
    for (const rlim_t ceiling : {rlim_t{4096}, rlim_t{512}}) {
        SCOPED_TRACE(ceiling);
        TempDir dir;
        PlaceEarlierFiles(dir.path());
        Launch launch;
        launch.args = FileArgs(dir.path(), {"--systems", "1000", "--svg", kRunFolder});
        launch.openFiles = {256, ceiling};
        const Ended ended = Start(launch);
        if (ceiling > 1000) {
            EXPECT_EQ(ended.status, 0) << ended.err;
            EXPECT_EQ(Names(dir.path()).size(), kFiles.size() + 1000);
        } else {
            ExpectStoppedSaying(ended, "--svg: 1000 pictures are held open");
            EXPECT_EQ(Replaced(dir.path()), 0);
        }
    }
}

// SIGKILL cannot be handled; outputs without a name vanish with the process.
TEST(CliCommit, KilledMidRunItLeavesNothingWhereUnnamedFilesAreAllowed)
{
    TempDir dir;
    PlaceEarlierFiles(dir.path());
    Launch launch;
    launch.args = FileArgs(dir.path(), {"--systems", "1000000", "--detail", "high", "--tree"});
    launch.signalOnOutput = SIGKILL;
    EXPECT_EQ(Start(launch).status, -1);
    EXPECT_EQ(Replaced(dir.path()), 0);
}

// A signal that comes while the files are named waits until all four are,
// and then says so. A name that cannot be given puts back every file
// replaced before it.
TEST(CliCommit, AfterTheCommitEveryFileIsTheNewRunsAndTheMessageSaysSo)
{
    const std::vector<std::string> run{"--systems", "3", "--tree"};
    const struct {
        const char* name;
        Launch launch;
        const char* says;
        int replaced;
    } cases[] = {
        {"SIGTERM while named", {run, {"NEXMAR_SEAM_SIGNAL=rename:1:15"}},
         "terminated (SIGTERM) after every file was written", 4},
        {"SIGINT at the last name", {run, {"NEXMAR_SEAM_SIGNAL=rename:4:2"}},
         "interrupted (SIGINT) after every file was written", 4},
        {"the third name refused", {run, {"NEXMAR_SEAM_FAIL=rename:3:5"}}, "Input/output error; no file was replaced",
         0},
    };
    for (const auto& c : cases) {
        StartOverEarlierFiles(c.name, c.launch, [&](const Ended& ended, const std::filesystem::path& dir) {
            ExpectStoppedSaying(ended, c.says);
            EXPECT_EQ(Replaced(dir), c.replaced);
        });
    }
}

// A name of the run's own: ".nexmar-" and 16 hexadecimal digits.
bool IsRunsOwnName(const std::string& name)
{
    return name.size() == 24 && name.rfind(".nexmar-", 0) == 0 &&
           name.find_first_not_of("0123456789abcdef", 8) == std::string::npos;
}

std::string Picture(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "system-%04d.svg", number);
    return name;
}

// The pictures of a 3,000-system run over an earlier run's: a name refused
// half way through the commit (a directory made meanwhile) puts back every
// file replaced, in one line of bounded length; a SIGKILL half way leaves
// no name but the run's own, which the next run in the folder removes.
TEST(CliCommit, ThousandsOfPicturesTakeTheirNamesAllOrNone)
{
    constexpr int kPictures = 3000;
    TempDir dir;
    PlaceEarlierFiles(dir.path());
    for (int number = 1; number <= kPictures; ++number) {
        std::ofstream(dir.path() / Picture(number)) << "earlier\n";
    }
    Launch launch;
    launch.args = FileArgs(dir.path(), {"--systems", "3000", "--svg", kRunFolder});
    const auto pictures = [&dir] {
        int replaced = 0;
        for (int number = 1; number <= kPictures; ++number) {
            replaced += ReadFile(dir.path() / Picture(number)) != "earlier\n";
        }
        return replaced;
    };
    launch.env = {"NEXMAR_SEAM_FAIL=rename:2999:21"};
    const Ended refused = Start(launch);
    ExpectStoppedSaying(refused, "Is a directory; no file was replaced");
    EXPECT_LT(refused.err.size(), 400u);
    EXPECT_EQ(pictures(), 0);
    EXPECT_EQ(Names(dir.path()).size(), kFiles.size() + kPictures);

    launch.env = {"NEXMAR_SEAM_SIGNAL=rename:1500:9"};
    EXPECT_EQ(Start(launch).status, -1);
    std::size_t own = 0;
    for (const std::string& name : Names(dir.path())) {
        own += IsRunsOwnName(name);
        EXPECT_TRUE(IsRunsOwnName(name) || std::count(kFiles.begin(), kFiles.end(), name) == 1 ||
                    name.rfind("system-", 0) == 0)
            << name;
    }
    EXPECT_GT(own, 0u);

    launch.env = {};
    EXPECT_EQ(Start(launch).status, 0);
    EXPECT_EQ(Names(dir.path()).size(), kFiles.size() + kPictures);
    EXPECT_EQ(pictures(), kPictures);
}

// Nothing the run did not make is deleted, whatever its name: not the
// names an earlier version took beside its targets with the process's id
// (1, the first process of a container), nor a name like the run's own
// that is not one.
TEST(CliCommit, FilesOfOthersBesideTheTargetsAreLeftAlone)
{
    for (const char* unnamed : kUnnamedFiles) {
        SCOPED_TRACE(unnamed);
        TempDir dir;
        const std::vector<std::string> others{".run.json.1", ".TNXT001.1", ".nexmar-0123", ".nexmar-0123456789abcdeg"};
        for (const std::string& name : others) {
            std::ofstream(dir.path() / name) << "a user's\n";
        }
        Launch launch;
        launch.args = FileArgs(dir.path(), {"--systems", "3"});
        launch.env = Env(unnamed, {"NEXMAR_SEAM_PID=1"});
        EXPECT_EQ(Start(launch).status, 0);
        for (const std::string& name : others) {
            EXPECT_EQ(ReadFile(dir.path() / name), "a user's\n") << name;
        }
        EXPECT_EQ(Names(dir.path()).size(), kFiles.size() + others.size());
    }
}

// A saved run that changes under its second reading sends nothing to
// standard output: not half a document.
TEST(CliCommit, ASavedRunChangedUnderItsSecondReadingSendsNothingToStandardOutput)
{
    TempDir dir;
    Launch save;
    save.args = {"--systems", "200", "--seed", "4", "--dir", dir.path().string(), "--json",
                 (dir.path() / "saved.json").string()};
    ASSERT_EQ(Start(save).status, 0);
    PlaceEarlierFiles(dir.path());
    Launch launch;
    launch.args = {"--from-json", (dir.path() / "saved.json").string(), "--json", "-", "--dir",
                   dir.path().string()};
    launch.env = {"NEXMAR_SEAM_GROW=" + (dir.path() / "saved.json").string()};
    const Ended ended = Start(launch);
    ExpectStoppedSaying(ended, "the file changed while it was read");
    EXPECT_EQ(ended.out, "");
    EXPECT_EQ(ReadFile(dir.path() / kTextReportName), std::string("earlier ") + kTextReportName + "\n");
}

// Two runs at once in one folder: each names its pair of reports under the
// folder's lock, so the pair left is always one run's, whichever came last.
TEST(CliCommit, TwoRunsAtOnceInOneFolderNeverLeaveAMixedPair)
{
    const auto reportArgs = [](const std::filesystem::path& dir, const char* seed) {
        Launch launch;
        launch.args = {"--systems", "300", "--seed", seed, "--dir", dir.string()};
        return launch;
    };
    std::map<std::string, std::string> pairs;  // text report -> its HTML report
    for (const char* seed : {"1", "2"}) {
        TempDir alone;
        EXPECT_EQ(Start(reportArgs(alone.path(), seed)).status, 0);
        pairs[ReadFile(alone.path() / kTextReportName)] = ReadFile(alone.path() / kHtmlReportName);
    }
    TempDir shared;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    int rounds = 0;
    for (; rounds < 500 && std::chrono::steady_clock::now() < deadline; ++rounds) {
        const pid_t first = ::fork();
        if (first == 0) {
            ::_exit(Start(reportArgs(shared.path(), "1")).status);
        }
        const Ended second = Start(reportArgs(shared.path(), "2"));
        int status = 0;
        ::waitpid(first, &status, 0);
        ASSERT_TRUE(second.status == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0) << second.err;
        const auto pair = pairs.find(ReadFile(shared.path() / kTextReportName));
        ASSERT_NE(pair, pairs.end()) << "round " << rounds;
        ASSERT_EQ(ReadFile(shared.path() / kHtmlReportName), pair->second) << "a mixed pair in round " << rounds;
        ASSERT_EQ(Names(shared.path()), (std::vector<std::string>{kHtmlReportName, kTextReportName}));
    }
    EXPECT_GE(rounds, 20);
}

}  // namespace
}  // namespace nexmar
