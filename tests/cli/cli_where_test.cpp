// --where and the pictures, against the whole run: a system --where shows is
// shown exactly as the whole run shows it, under the same number, and every
// other part of each output stays the whole run's.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "cli/picture_files.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ReadFile;

// An output cut into each system's part and what lies outside every part.
struct Parts {
    std::map<int, std::string> systems;
    std::string rest;
};

// number(line): the system a line begins; 0 for a line that goes on with
// the part before it, -1 for one that ends every part.
template <typename Begins>
Parts CutIntoSystems(const std::string& text, Begins number)
{
    Parts parts;
    std::istringstream lines(text);
    std::string* into = &parts.rest;
    for (std::string line; std::getline(lines, line);) {
        if (const int begun = number(line); begun != 0) {
            into = begun > 0 ? &parts.systems[begun] : &parts.rest;
        }
        into->append(line).append("\n");
    }
    return parts;
}

// The number in line after prefix, or 0.
int NumberAfter(const std::string& line, const std::string& prefix)
{
    if (line.rfind(prefix, 0) != 0 || line.size() == prefix.size() || !std::isdigit(line[prefix.size()])) {
        return 0;
    }
    return std::stoi(line.substr(prefix.size()));
}

std::set<int> Numbers(const std::map<int, std::string>& parts)
{
    std::set<int> numbers;
    for (const auto& [number, part] : parts) {
        numbers.insert(number);
    }
    return numbers;
}

// The systems in parts that numbers names.
std::map<int, std::string> Only(const std::map<int, std::string>& parts, const std::set<int>& numbers)
{
    std::map<int, std::string> kept;
    for (const int number : numbers) {
        kept[number] = parts.at(number);
    }
    return kept;
}

struct Outputs {
    Parts tree;
    Parts json;
    Parts text;
    std::set<int> html;  // the numbers of the systems in the HTML report
    std::map<int, std::string> pictures;
    std::string statistics;
};

Outputs RunAt(DetailLevel level, std::vector<std::string> args)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "pictures");
    args.insert(args.end(), {"--systems", "60", "--census", "--seed", "23", "--tree", "--stats", "--dir", dir.path(),
                             "--json", dir.path() / "run.json", "--svg", dir.path() / "pictures"});
    args.insert(args.end(), {"--detail", std::string(DetailLevelName(level))});
    const testing::CliRun run = testing::RunNexmarCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    Outputs outputs;
    const std::size_t statistics = run.out.find("Sector totals");
    outputs.tree = CutIntoSystems(run.out.substr(0, statistics),
                                  [](const std::string& line) { return NumberAfter(line, "  [0] System "); });
    outputs.statistics = run.out.substr(statistics);
    outputs.json = CutIntoSystems(ReadFile(dir.path() / "run.json"), [](const std::string& line) {
        return line == "]}" ? -1 : NumberAfter(line, "{\"number\":");
    });
    // The comma between two systems belongs to neither.
    for (auto& [number, line] : outputs.json.systems) {
        if (line.ends_with(",\n")) {
            line.erase(line.size() - 2, 1);
        }
    }
    outputs.text = CutIntoSystems(ReadFile(dir.path() / kTextReportName), [level](const std::string& line) {
        const int number = NumberAfter(line, level == DetailLevel::Low ? "" : "System ");
        return level == DetailLevel::Low && line.find(',') != std::to_string(number).size() ? 0 : number;
    });
    const Parts html = CutIntoSystems(ReadFile(dir.path() / kHtmlReportName), [level](const std::string& line) {
        return NumberAfter(line, level == DetailLevel::Low ? "\t\t<td>" : "<p><font size=\"4\">System ");
    });
    outputs.html = Numbers(html.systems);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "pictures")) {
        outputs.pictures[NumberAfter(entry.path().filename().string(), "system-")] = ReadFile(entry.path());
    }
    return outputs;
}

struct LevelQuery {
    DetailLevel level;
    const char* query;
};

// Each level with a query that keeps some systems of the 60 of seed 23, not
// all, and not only neighbours.
constexpr LevelQuery kGappedQueries[] = {
    {DetailLevel::Low, "special ~ metals and capacity >= 8"},
    {DetailLevel::Medium, "type = \"Gas Giant\" and moons >= 4"},
    {DetailLevel::High, "gaia"},
};

// The numbers a query keeps must come from the run, not from a count of the
// systems shown.
TEST(CliWhere, TheSystemsShownAreTheWholeRunsUnderTheirNumbersAndTheStatisticsCountEverySystem)
{
    for (const LevelQuery& c : kGappedQueries) {
        SCOPED_TRACE(c.query);
        const Outputs whole = RunAt(c.level, {});
        const Outputs shown = RunAt(c.level, {"--where", c.query});
        const std::set<int> numbers = Numbers(shown.tree.systems);
        ASSERT_GT(numbers.size(), 1u);
        ASSERT_LT(numbers.size(), 30u);
        EXPECT_NE(*numbers.rbegin() - *numbers.begin() + 1, static_cast<int>(numbers.size())) << "no gap to keep";
        EXPECT_EQ(shown.tree.systems, Only(whole.tree.systems, numbers));
        EXPECT_EQ(shown.tree.rest, whole.tree.rest);
        EXPECT_EQ(shown.json.systems, Only(whole.json.systems, numbers));
        // Its head says how many systems the run rolled.
        std::string filteredHead = whole.json.rest;
        filteredHead.insert(filteredHead.find(",\"density\":"), ",\"systemsRolled\":60");
        EXPECT_EQ(shown.json.rest, filteredHead);
        EXPECT_EQ(shown.text.systems, Only(whole.text.systems, numbers));
        EXPECT_EQ(shown.text.rest, whole.text.rest);
        EXPECT_EQ(shown.html, numbers);
        EXPECT_EQ(shown.pictures, Only(whole.pictures, numbers));
        EXPECT_EQ(shown.statistics, whole.statistics);
    }
}

// No system matches: the tree is its root alone, the pictures none.
TEST(CliWhere, AQueryThatMatchesNothingShowsTheRootAlone)
{
    testing::TempDir dir;
    const testing::CliRun run =
        testing::RunNexmarCli({"--systems", "20", "--seed", "4", "--where", "capacity > 99", "--tree", "--dir",
                               dir.path(), "--svg", dir.path(), "--svg-sheet", dir.path() / "sheet.svg"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "[5] System Results\n");
    EXPECT_NE(ReadFile(dir.path() / "sheet.svg").find("<title>0 systems at Low detail</title>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / PictureFileName(1)));
}

std::map<std::string, std::string> FilesIn(const std::filesystem::path& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
}

// The document --where wrote reads back as the run that wrote it showed it:
// each system under its number, the same tree, reports and pictures, and
// written again, the same document. Also when the query matched nothing.
TEST(CliWhere, ItsDocumentReadsBackAsTheRunThatWroteItShowedIt)
{
    std::vector<LevelQuery> cases(std::begin(kGappedQueries), std::end(kGappedQueries));
    cases.push_back({DetailLevel::Low, "capacity > 99"});
    for (const LevelQuery& c : cases) {
        SCOPED_TRACE(c.query);
        testing::TempDir written;
        testing::TempDir read;
        for (const testing::TempDir* dir : {&written, &read}) {
            std::filesystem::create_directory(dir->path() / "pictures");
        }
        const auto withOutputs = [](std::vector<std::string> args, const testing::TempDir& dir) {
            args.insert(args.end(), {"--tree", "--dir", dir.path(), "--json", dir.path() / "run.json", "--svg",
                                     dir.path() / "pictures"});
            return args;
        };
        const std::vector<std::string> where =
            withOutputs({"--systems", "60", "--census", "--seed", "23", "--detail",
                         std::string(DetailLevelName(c.level)), "--where", c.query},
                        written);
        const std::vector<std::string> fromJson = withOutputs({"--from-json", written.path() / "run.json"}, read);

        const testing::CliRun first = testing::RunNexmarCli(where);
        ASSERT_EQ(first.status, 0) << first.err;
        const testing::CliRun again = testing::RunNexmarCli(fromJson);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, first.out);
        for (const char* name : {kTextReportName, kHtmlReportName, "run.json"}) {
            EXPECT_EQ(ReadFile(read.path() / name), ReadFile(written.path() / name)) << name;
        }
        EXPECT_EQ(FilesIn(read.path() / "pictures"), FilesIn(written.path() / "pictures"));
    }
}

}  // namespace
}  // namespace nexmar
