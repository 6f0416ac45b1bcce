#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "cli/json_run_file.h"
#include "support/json_document.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ExportedRun;

void Write(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

struct Change {
    const char* name;
    // What another process does to the file between the check and the rendering.
    std::function<void(const std::filesystem::path&)> change;
};

// The same path now holds a High run where a Low one was checked: before,
// its systems reached the Low tables' statistics and overran them.
const Change kChanges[] = {
    {"rewritten with another level", [](const std::filesystem::path& path) {
         Write(path, ExportedRun(DetailLevel::High, true, 40, 2));
     }},
    {"truncated", [](const std::filesystem::path& path) { std::filesystem::resize_file(path, 3000); }},
    {"one digit changed in place", [](const std::filesystem::path& path) {
         std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
         file.seekp(-40, std::ios::end);
         file.put(' ');
     }},
    {"grown", [](const std::filesystem::path& path) { std::ofstream(path, std::ios::app) << "\n\n"; }},
};

class JsonRunFileChanged : public ::testing::TestWithParam<Change> {};

TEST_P(JsonRunFileChanged, RendersNothingAndLeavesTheReportsAsTheyWere)
{
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "run.json";
    Write(path, ExportedRun(DetailLevel::Low, false, 200, 1));
    Write(dir.path() / kTextReportName, "earlier");
    Write(dir.path() / kHtmlReportName, "earlier");
    std::string error;
    std::unique_ptr<JsonRunFile> file = JsonRunFile::Check(path, error);
    ASSERT_TRUE(file) << error;

    GetParam().change(path);
    ResultTree tree;
    ReportFiles reports(dir.path(), ReportDelivery::WhenComplete);
    testing::RecordingNotifier notifier;
    const RunOutcome outcome = file->Render({200, DetailLevel::Low, false, kMaxBatchSystems}, tree, reports, notifier,
                                            {}, {});
    EXPECT_FALSE(outcome.reportsComplete);
    EXPECT_FALSE(file->RenderedWhole());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].find(path.string() + ": "), std::string::npos) << notifier.messages[0];
    EXPECT_EQ(notifier.messages[0].find('\n'), std::string::npos);
    EXPECT_EQ(testing::ReadFile(dir.path() / kTextReportName), "earlier");
    EXPECT_EQ(testing::ReadFile(dir.path() / kHtmlReportName), "earlier");
}

INSTANTIATE_TEST_SUITE_P(Table, JsonRunFileChanged, ::testing::ValuesIn(kChanges), testing::ParamNamed());

// A file replaced by another under its name is not the file that was
// opened: the run checked is the run rendered.
TEST(JsonRunFile, ReplacedUnderItsNameRendersTheFileThatWasChecked)
{
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "run.json";
    Write(path, ExportedRun(DetailLevel::Medium, true, 30, 3));
    std::string error;
    std::unique_ptr<JsonRunFile> file = JsonRunFile::Check(path, error);
    ASSERT_TRUE(file) << error;
    Write(dir.path() / "other.json", ExportedRun(DetailLevel::High, false, 30, 4));
    std::filesystem::rename(dir.path() / "other.json", path);

    ResultTree tree;
    ReportFiles reports(dir.path(), ReportDelivery::WhenComplete);
    testing::RecordingNotifier notifier;
    EXPECT_TRUE(file->Render({30, DetailLevel::Medium, true, kMaxBatchSystems}, tree, reports, notifier, {}, {})
                    .reportsComplete);
    EXPECT_TRUE(file->RenderedWhole());
    EXPECT_TRUE(notifier.messages.empty());

    testing::TempDir rolled;
    SeededDice dice(3);
    ResultTree rolledTree;
    ReportFiles rolledReports(rolled.path());
    RunGeneration({{30, DetailLevel::Medium, true}}, dice, rolledTree, rolledReports, notifier);
    EXPECT_EQ(testing::ReadFile(dir.path() / kTextReportName), testing::ReadFile(rolled.path() / kTextReportName));
}

}  // namespace
}  // namespace nexmar
