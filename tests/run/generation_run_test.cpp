#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "run/generation_run.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;
using testing::RecordingNotifier;
using testing::TempDir;

TEST(GenerationRun, ACountOutsideTheRangeEmptiesTheTreeAndTouchesNoReport)
{
    TempDir dir;
    { std::ofstream(dir.path() / "TNXT001") << "earlier run\n"; }
    SeededDice dice(7);
    ResultTree tree;
    tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    for (const int count : {0, 201, -5}) {
        EXPECT_FALSE(RunGeneration({{count, DetailLevel::Low, true}, 200}, dice, tree, reports, notifier).reportsComplete)
            << count;
        EXPECT_TRUE(tree.empty()) << count;
    }
    EXPECT_EQ(ReadFile(dir.path() / "TNXT001"), "earlier run\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "TNXH001"));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST(GenerationRun, SystemsStandInNumericalOrderUnderTheRoot)
{
    TempDir dir;
    SeededDice dice(42);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    int finished = 0;
    const RunOutcome outcome = RunGeneration({{200, DetailLevel::Low, false}}, dice, tree, reports, notifier,
                                             [&](const ResultTree&, ItemId) { ++finished; });
    EXPECT_TRUE(outcome.reportsComplete);
    EXPECT_EQ(finished, 200);
    ASSERT_EQ(tree.Children(kNoItem).size(), 1u);
    const ItemId root = tree.Children(kNoItem)[0];
    EXPECT_EQ(tree.at(root).text, "System Results");
    EXPECT_EQ(tree.at(root).image, TreeImage::Blank);
    const auto& systems = tree.Children(root);
    ASSERT_EQ(systems.size(), 200u);
    for (std::size_t i = 0; i < systems.size(); ++i) {
        EXPECT_EQ(tree.at(systems[i]).text, "System " + std::to_string(i + 1));
        EXPECT_EQ(tree.at(systems[i]).image, TreeImage::System);
        EXPECT_EQ(tree.at(systems[i]).children.size(), 4u);
    }
}

TEST(GenerationRun, ReportsThatFailToOpenLeaveTheTreeCompleteAndTheRunIncomplete)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "TNXH001");
    SeededDice dice(3);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    const RunOutcome outcome = RunGeneration({{3, DetailLevel::Low, true}}, dice, tree, reports, notifier);
    EXPECT_FALSE(outcome.reportsComplete);
    EXPECT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(tree.size(), 1u + 3u * 8u);
    EXPECT_EQ(ReadFile(dir.path() / "TNXT001"), "");
}

TEST(GenerationRun, AWriteErrorLeavesTheTreeCompleteAndIsReported)
{
    TempDir dir;
    SeededDice dice(3);
    ResultTree tree;
    ReportFiles reports(dir.path() / "TNXH001", "/dev/full");
    RecordingNotifier notifier;
    const RunOutcome outcome = RunGeneration({{5, DetailLevel::Low, false}}, dice, tree, reports, notifier);
    EXPECT_FALSE(outcome.reportsComplete);
    EXPECT_EQ(notifier.messages,
              std::vector<std::string>{"Unable to write temporary files\n"
                                       "Program will be unable to save results to file."});
    EXPECT_EQ(tree.size(), 1u + 5u * 5u);
}

TEST(GenerationRun, WithoutTheTreeTheReportsStayTheSameAndNoSystemItemIsBuilt)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        std::string reports[2];
        for (const bool renderTree : {true, false}) {
            TempDir dir;
            SeededDice dice(11);
            ResultTree tree;
            ReportFiles files(dir.path());
            RecordingNotifier notifier;
            RunInputs inputs{{20, level, true}};
            inputs.renderTree = renderTree;
            ASSERT_TRUE(RunGeneration(inputs, dice, tree, files, notifier).reportsComplete);
            reports[renderTree] = ReadFile(dir.path() / kTextReportName) + ReadFile(dir.path() / kHtmlReportName);
            const std::vector<ItemId>& systems = tree.Children(tree.Children(kNoItem).at(0));
            EXPECT_EQ(systems.size(), renderTree ? 20u : 0u) << DetailLevelName(level);
        }
        EXPECT_EQ(reports[0], reports[1]) << DetailLevelName(level);
    }
}

// Low rows are put together once per form of record. Records read from a
// file may take more forms than are kept, and their special text may be gone
// as soon as the row is written: every row must still be its own.
TEST(GenerationRun, EveryLowRowShowsItsOwnRecordWhateverItsForm)
{
    TempDir dir;
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    RunRenderer renderer({.level = DetailLevel::Low}, false, tree, reports, notifier);
    std::string expected = "System,Size/Importance,Capacity,Census,Morale,Productivity,RAW,Special\n";
    for (int number = 1; number <= 10000; ++number) {
        // Forms repeat every 5000 rows: the first 5000 are all new, the next come back.
        const int form = (number - 1) % 5000;
        const std::string special = "Special, number " + std::to_string(form % 7);
        const std::optional<CensusValues> census =
            form % 2 ? std::optional(CensusValues{form % 5, 2, 1}) : std::nullopt;
        renderer.Add(
            LowSystem{LowSizeClass::Colony, Importance::Minor, form / 10, form % 10, special, census});
        const CensusValues shown = census.value_or(CensusValues{});
        expected += std::to_string(number) + ",Colony/Minor," + std::to_string(form / 10) + "," +
                    std::to_string(shown.census) + "," + std::to_string(shown.morale) + "," +
                    std::to_string(shown.productivity) + "," + std::to_string(form % 10) + ",\"" + special +
                    "\"\n";
    }
    ASSERT_TRUE(renderer.Finish().reportsComplete);
    EXPECT_EQ(ReadFile(dir.path() / kTextReportName), expected);
}

// Both deliveries write the same bytes; what stands at the reports' names
// while the run goes on differs. The count makes the High reports pass the
// size at which the buffers are written out.
TEST(GenerationRun, LiveReportsGrowRowByRowThoseDeliveredWhenCompleteAppearWhole)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        std::string written[2];
        for (const ReportDelivery delivery : {ReportDelivery::Live, ReportDelivery::WhenComplete}) {
            const bool live = delivery == ReportDelivery::Live;
            TempDir dir;
            { std::ofstream(dir.path() / kTextReportName) << "earlier run\n"; }
            SeededDice dice(5);
            ResultTree tree;
            ReportFiles reports(dir.path(), delivery);
            RecordingNotifier notifier;
            std::string atSystemTen;
            const SystemDone readAtSystemTen = [&](const ResultTree& done, ItemId system) {
                if (done.at(system).text == "System 10") {
                    atSystemTen = ReadFile(dir.path() / kTextReportName);
                }
            };
            RunInputs inputs{{400, level, true}};
            inputs.maxSystems = 400;
            ASSERT_TRUE(RunGeneration(inputs, dice, tree, reports, notifier, readAtSystemTen).reportsComplete);
            written[live] = ReadFile(dir.path() / kTextReportName) + ReadFile(dir.path() / kHtmlReportName);
            if (!live) {
                EXPECT_EQ(atSystemTen, "earlier run\n") << DetailLevelName(level);
            } else if (level == DetailLevel::Low) {
                // The header and ten rows, each row flushed as it is written.
                const std::string text = ReadFile(dir.path() / kTextReportName);
                std::size_t end = 0;
                for (int line = 0; line < 11; ++line) {
                    end = text.find('\n', end) + 1;
                }
                EXPECT_EQ(atSystemTen, text.substr(0, end));
            }
        }
        if (level == DetailLevel::High) {
            EXPECT_GT(written[0].size(), std::size_t{2} << 20);
        }
        EXPECT_EQ(written[0], written[1]) << DetailLevelName(level);
    }
}

// Reports in memory are handed on in blocks as files are: runs long enough
// for more than one block of each report keep every byte.
TEST(GenerationRun, ReportsInMemoryHoldTheBytesOfTheReportFiles)
{
    for (const auto& [level, systems] : {std::pair{DetailLevel::Low, 40000}, std::pair{DetailLevel::High, 3000}}) {
        TempDir dir;
        ResultTree tree;
        RecordingNotifier notifier;
        ReportFiles files(dir.path());
        SeededDice filesDice(11);
        RunGeneration({{systems, level, true}}, filesDice, tree, files, notifier);
        ReportStrings strings;
        SeededDice stringsDice(11);
        EXPECT_TRUE(RunGeneration({{systems, level, true}}, stringsDice, tree, strings, notifier).reportsComplete);
        const std::string text = ReadFile(dir.path() / kTextReportName);
        ASSERT_GT(text.size(), std::size_t{1} << 20) << systems;
        EXPECT_TRUE(strings.Text() == text) << systems;
        EXPECT_TRUE(strings.Html() == ReadFile(dir.path() / kHtmlReportName)) << systems;
    }
}

}  // namespace
}  // namespace nexmar

namespace nexmar {
namespace {

// Writes rows through one writer, and each row again through a writer new
// to it, and expects both reports the same: kept forms change no byte.
void ExpectRowsAsByAFreshWriter(int rows, const std::function<void(ReportWriter&, int number)>& writeRow)
{
    testing::TempDir kept;
    testing::TempDir fresh;
    ReportFiles keptReports(kept.path());
    ReportFiles freshReports(fresh.path());
    ASSERT_TRUE(keptReports.OpenReports());
    ASSERT_TRUE(freshReports.OpenReports());
    ReportWriter writer(keptReports);
    for (int number = 0; number < rows; ++number) {
        writeRow(writer, number);
        ReportWriter freshWriter(freshReports);
        writeRow(freshWriter, number);
    }
    ASSERT_TRUE(keptReports.CloseReports());
    ASSERT_TRUE(freshReports.CloseReports());
    // Megabytes each: a difference is told by where it starts.
    for (const char* name : {kTextReportName, kHtmlReportName}) {
        const std::string keptBytes = testing::ReadFile(kept.path() / name);
        const std::string freshBytes = testing::ReadFile(fresh.path() / name);
        const auto differ = std::mismatch(keptBytes.begin(), keptBytes.end(), freshBytes.begin(), freshBytes.end());
        EXPECT_TRUE(keptBytes == freshBytes) << name << " differs from byte " << differ.first - keptBytes.begin();
    }
}

// A writer keeps a bounded number of Low row forms and starts afresh past
// them: every row, of a form met before the bound or after it, is written as
// a writer new to it writes it.
TEST(ReportWriter, LowRowsPastTheKeptFormsAreWrittenAsByAFreshWriter)
{
    std::vector<LowSystem> records;
    for (int capacity = 0; capacity < 9000; ++capacity) {
        records.push_back({.capacity = capacity, .raw = capacity % 7, .special = capacity % 2 ? "a, b" : "-", .census = std::nullopt});
    }
    records.insert(records.end(), records.begin(), records.begin() + 10);
    ExpectRowsAsByAFreshWriter(static_cast<int>(records.size()), [&records](ReportWriter& writer, int number) {
        writer.WriteLowRow(number + 1, records[number]);
    });
}

// High object and moon rows are kept by form too: past the bound, and with
// each object's special text gone once its rows are written, every row is
// written as a writer new to it writes it.
TEST(ReportWriter, HighRowsPastTheKeptFormsAreWrittenAsByAFreshWriter)
{
    ExpectRowsAsByAFreshWriter(10000, [](ReportWriter& writer, int number) {
        const int form = number % 9000;
        // Odd forms are each their own; even forms share their cells in
        // every field but the zone's colour with others.
        const std::string special = form % 2 ? "a, \"b\" " + std::to_string(form) : "-";
        HighObject object{.zone = kOrbitZones[(form / 7) % 3],
                          .type = HighObjectType::GasGiant,
                          .capacity = form % 7,
                          .raw = (form / 21) % 5,
                          .special = special,
                          .census = form % 4 ? std::optional(CensusValues{form % 6, 1, 2}) : std::nullopt,
                          .moons = {{form % 3, (form / 3) % 4}, {1, 1}}};
        writer.WriteHighObjectRows(number + 1, 'B', form % 4, object);
    });
}

// Medium rows too, whose forms take their moons' texts: past the bound of
// 16,384 forms, and with the special and the moons' texts gone once the row
// is written, every row is written as a writer new to it writes it.
TEST(ReportWriter, MediumRowsPastTheKeptFormsAreWrittenAsByAFreshWriter)
{
    ExpectRowsAsByAFreshWriter(25000, [](ReportWriter& writer, int number) {
        const int form = number % 22000;
        // Odd forms are told apart by their special, every fourth by a moon;
        // the others share their texts and meet a kept form often.
        const std::string special = form % 2 ? "a, \"b\" " + std::to_string(form) : "-";
        const std::string moons[] = {"near, " + std::to_string(form % 4 ? 0 : form), "far"};
        MediumObject object{.zone = kOrbitZones[(form / 5) % 3],
                            .type = MediumObjectType::Terrestrial,
                            .value = form % 3 ? std::optional(ValueClass::Moderate) : std::nullopt,
                            .capacity = form % 5,
                            .raw = form % 7,
                            .special = special,
                            .moons = {moons[0], moons[form % 4 ? 1 : 0]},
                            .census = form % 4 ? std::optional(CensusValues{form % 6, 1, 2}) : std::nullopt};
        writer.WriteMediumObjectRow(number / 8 + 1, number % 8 + 1, object);
    });
}

}  // namespace
}  // namespace nexmar
