#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "core/report_files.h"
#include "report/report_writer.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::TempDir;

int OpenDescriptorCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

TEST(CsvField, QuotesOnlyTextsWithACommaOrAQuote)
{
    const auto field = [](std::string_view text) {
        std::string row = "1,";
        AppendCsvField(row, text);
        return row;
    };
    EXPECT_EQ(field("Special: Rich in Rare Metals"), "1,Special: Rich in Rare Metals");
    EXPECT_EQ(field("Special: Fair Biosphere (+1 Census, +2 Capacity)"),
              "1,\"Special: Fair Biosphere (+1 Census, +2 Capacity)\"");
    EXPECT_EQ(field("a \"b\", c"), "1,\"a \"\"b\"\", c\"");
}

TEST(ReportFiles, FramingOfAMediumOrHighRun)
{
    TempDir dir;
    RecordingNotifier notifier;
    ReportFiles reports(dir.path());
    ReportWriter writer(reports);
    ASSERT_TRUE(writer.OpenReports(notifier));
    writer.WriteSystemHeading(1);
    reports.Text("row\n");
    writer.WriteSystemHeading(2);
    EXPECT_TRUE(writer.CloseReports(notifier));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(ReadFile(dir.path() / "TNXT001"), "System 1\nrow\nSystem 2\n");
    EXPECT_EQ(ReadFile(dir.path() / "TNXH001"),
              "<html><body>\n<p><font size=\"4\">System 1</font>\n<p><font size=\"4\">System 2</font>\n"
              "</body></html>\n");
}

TEST(ReportFiles, ANameTakenByADirectoryFailsToOpenAndClosesTheOtherFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "TNXT001");
    RecordingNotifier notifier;
    ReportFiles reports(dir.path());
    ReportWriter writer(reports);
    const int descriptorsBefore = OpenDescriptorCount();
    EXPECT_FALSE(writer.OpenReports(notifier));
    EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
    EXPECT_FALSE(reports.IsOpen());
    EXPECT_EQ(notifier.messages,
              std::vector<std::string>{"Unable to open temporary files for output\n"
                                       "Program will be unable to save results to file."});
    reports.Html("dropped\n");
    EXPECT_FALSE(writer.CloseReports(notifier));
    EXPECT_EQ(ReadFile(dir.path() / "TNXH001"), "");
}

TEST(ReportFiles, ASymbolicLinkAtAReportNameIsRefusedAndItsTargetUntouched)
{
    TempDir dir;
    const auto victim = dir.path() / "someone-elses-file";
    { std::ofstream(victim) << "precious\n"; }
    std::filesystem::create_symlink(victim, dir.path() / "TNXH001");
    RecordingNotifier notifier;
    ReportFiles reports(dir.path());
    ReportWriter writer(reports);
    EXPECT_FALSE(writer.OpenReports(notifier));
    EXPECT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(ReadFile(victim), "precious\n");
}

TEST(ReportFiles, AWriteErrorIsReportedWhenClosing)
{
    if (::access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no writable /dev/full";
    }
    TempDir dir;
    RecordingNotifier notifier;
    ReportFiles reports("/dev/full", dir.path() / "TNXT001");
    ReportWriter writer(reports);
    ASSERT_TRUE(writer.OpenReports(notifier));
    writer.WriteSystemHeading(1);
    EXPECT_FALSE(writer.CloseReports(notifier));
    EXPECT_EQ(notifier.messages,
              std::vector<std::string>{"Unable to write temporary files\n"
                                       "Program will be unable to save results to file."});
}

}  // namespace
}  // namespace nexmar

namespace nexmar {
namespace {

// Whether another run could lock folder now.
bool FolderFree(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// The dialog writes its reports in place; a command-line run naming its
// reports in the same folder meanwhile would leave a pair of two runs.
TEST(ReportFiles, ReportsWrittenInPlaceHoldTheirFoldersLockUntilClosed)
{
    TempDir dir;
    ReportFiles reports(dir.path());
    ASSERT_TRUE(reports.OpenReports());
    EXPECT_FALSE(FolderFree(dir.path()));
    EXPECT_TRUE(reports.CloseReports());
    EXPECT_TRUE(FolderFree(dir.path()));
}

}  // namespace
}  // namespace nexmar
