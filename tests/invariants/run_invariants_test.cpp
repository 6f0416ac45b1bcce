#include <gtest/gtest.h>

#include <random>

#include "model/system_count.h"
#include "invariants/report_reading.h"
#include "invariants/run_invariants.h"
#include "support/scratch.h"

namespace nexmar::invariants {
namespace {

// Runs per level and census option: a High run checks ten times the items of a Low one.
// A wrong value in a table row (a Low special's Morale, a Low size class's RAW,
// a High moon count at total 13 or 14) and a zone boundary moved in a High
// system each fail in the first run already, whose 200 systems reach every
// row; every hundredth run is one of 200, and each lean of the dice comes
// hundreds of times, so these counts keep a margin for faults in rarer paths
// at under a third of the time the sanitizer build spent on the old ones.
int RunsFor(DetailLevel level)
{
    switch (level) {
    case DetailLevel::Low:
        return 1500;
    case DetailLevel::Medium:
        return 600;
    case DetailLevel::High:
        break;
    }
    return 300;
}

std::string Describe(const std::vector<std::string>& broken)
{
    std::string text;
    for (const std::string& what : broken) {
        text += "\n  " + what;
    }
    return text;
}

// Runs of 1 to 12 systems, now and then the largest run one press may ask for,
// each from its own seed so a failure names the run to repeat.
void CheckManyRuns(DetailLevel level, bool census)
{
    testing::TempDir dir;
    std::mt19937 plan(static_cast<std::uint32_t>(level) * 2 + census);
    for (int run = 0; run < RunsFor(level); ++run) {
        const std::uint32_t seed = plan();
        const int systems = run % 100 == 0 ? kMaxSystems : 1 + static_cast<int>(seed % 12);
        const auto lean = static_cast<AnyFaceDice::Lean>(run % 4);
        AnyFaceDice dice(seed, lean);
        const RecordedRun recorded = RecordRun({{systems, level, census}, kMaxSystems}, dice, dir.path());
        const std::vector<std::string> broken = CheckRun(recorded);
        ASSERT_TRUE(broken.empty()) << "run " << run << ", seed " << seed << ", lean " << static_cast<int>(lean)
                                    << ", " << systems << " systems:" << Describe(broken);
    }
}

TEST(RunInvariants, LowDetailWithoutCensus) { CheckManyRuns(DetailLevel::Low, false); }
TEST(RunInvariants, LowDetailWithCensus) { CheckManyRuns(DetailLevel::Low, true); }
TEST(RunInvariants, MediumDetailWithoutCensus) { CheckManyRuns(DetailLevel::Medium, false); }
TEST(RunInvariants, MediumDetailWithCensus) { CheckManyRuns(DetailLevel::Medium, true); }
TEST(RunInvariants, HighDetailWithoutCensus) { CheckManyRuns(DetailLevel::High, false); }
TEST(RunInvariants, HighDetailWithCensus) { CheckManyRuns(DetailLevel::High, true); }

TEST(RunInvariants, ARefusedCountRollsNothingAndLeavesTheTreeEmpty)
{
    testing::TempDir dir;
    for (const int systems : {0, -1, kMaxSystems + 1}) {
        AnyFaceDice dice(1, AnyFaceDice::Lean::Fair);
        EXPECT_EQ(CheckRun(RecordRun({{systems, DetailLevel::Low, true}, kMaxSystems}, dice, dir.path())), std::vector<std::string>{});
    }
}

// The readers must themselves see what a CSV reader or a browser sees.
TEST(ReportReaders, CsvFieldsFollowTheQuotingConvention)
{
    const CsvText csv = ReadCsv("a,\"b, c\",\"say \"\"hi\"\"\"\n,\n");
    ASSERT_EQ(csv.error, "");
    EXPECT_EQ(csv.records, (std::vector<std::vector<std::string>>{{"a", "b, c", "say \"hi\""}, {"", ""}}));
    EXPECT_EQ(ReadCsv("a,b c, d\n").records[0].size(), 3u);
    EXPECT_NE(ReadCsv("a,b\"c\n").error, "");
    EXPECT_NE(ReadCsv("a,\"b\n").error, "");
    EXPECT_NE(ReadCsv("a,\"b\"c\n").error, "");
    EXPECT_NE(ReadCsv("a,b").error, "");
}

TEST(ReportReaders, HtmlRowsCountCellsAndKeepTheirColour)
{
    const HtmlPage page = ReadHtml(
        "<html><body>\n<p><font size=\"4\">System 1</font>\n<table border=\"1\">\n\t<th>A</th><th>B</th>\n"
        "\t<tr>\n\t\t<td><font color=\"#FF0000\">x</font></td><td>y z</td>\n\t</tr>\n</table>\n</body></html>\n");
    ASSERT_EQ(page.error, "");
    EXPECT_EQ(page.headings, std::vector<std::string>{"System 1"});
    ASSERT_EQ(page.tables.size(), 1u);
    ASSERT_EQ(page.tables[0].rows.size(), 2u);
    EXPECT_TRUE(page.tables[0].rows[0][1].header);
    EXPECT_EQ(page.tables[0].rows[0][1].text, "B");
    EXPECT_EQ(page.tables[0].rows[1][0].colour, "#FF0000");
    EXPECT_EQ(page.tables[0].rows[1][1].text, "y z");
    EXPECT_NE(ReadHtml("<table><tr><td>a</tr></table>").error, "");
    EXPECT_NE(ReadHtml("<table><td>a</td></table>").error, "");
    EXPECT_NE(ReadHtml("<table><tr><td>a</td></tr>").error, "");
    EXPECT_NE(ReadHtml("<table>stray<tr></tr></table>").error, "");
}

}  // namespace
}  // namespace nexmar::invariants
