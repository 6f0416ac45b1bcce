// Names and notes on the command line: --where finds by them, --from-json
// gives an edited sector back as it was saved, and every output carries
// what a referee typed as text, never as markup.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "gen/names/system_names.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using nlohmann::ordered_json;
using testing::ReadFile;
using testing::RunNexmarCli;
using testing::TempDir;

std::string TreeSystems(const std::string& tree)
{
    std::string systems;
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  [", 0) == 0 && line.find("] System ") != std::string::npos) {
            systems += line.substr(line.find("System ")) + ";";
        }
    }
    return systems;
}

TEST(CliSector, WhereFindsASystemByItsGeneratedName)
{
    const TempDir dir;
    const std::string seventh(NameGenerator(42).Name(7).view());
    for (const char* level : {"low", "high"}) {
        const auto run = RunNexmarCli({"--systems", "50", "--detail", level, "--seed", "42", "--dir",
                                       dir.path().string(), "--where", "name = " + seventh, "--tree"});
        EXPECT_EQ(TreeSystems(run.out), "System 7;") << level << ": " << run.err;
    }
}

// An edited sector: System 2 renamed with markup, System 3 with notes.
ordered_json EditedSector(const TempDir& dir, const std::string& path)
{
    const auto run = RunNexmarCli({"--systems", "5", "--detail", "medium", "--seed", "9", "--dir",
                                   dir.path().string(), "--json", "-"});
    ordered_json document = ordered_json::parse(run.out);
    document["systems"][1]["name"] = "<script>alert(\"&'\")</script> ]]>";
    document["systems"][2]["notes"] = "Pirates\nin the belt";
    std::ofstream(path) << document.dump() << "\n";
    return document;
}

TEST(CliSector, AnEditedSectorRendersAsSavedWithItsTextAsText)
{
    const TempDir dir;
    const std::string sector = (dir.path() / "sector.json").string();
    const ordered_json edited = EditedSector(dir, sector);
    const std::string reports = (dir.path() / "again").string();
    std::filesystem::create_directory(reports);
    const std::string sheet = (dir.path() / "sheet.svg").string();
    const auto again = RunNexmarCli({"--from-json", sector, "--dir", reports, "--json", "-", "--svg-sheet", sheet});
    ASSERT_EQ(again.status, 0) << again.err;
    // The same document, its fields in the writer's order.
    EXPECT_EQ(nlohmann::json::parse(again.out), nlohmann::json::parse(edited.dump()));
    // Names and notes leave the reports as the dice made them.
    EXPECT_EQ(ReadFile(std::filesystem::path(reports) / "TNXT001"), ReadFile(dir.path() / "TNXT001"));
    EXPECT_EQ(ReadFile(std::filesystem::path(reports) / "TNXH001"), ReadFile(dir.path() / "TNXH001"));
    const std::string svg = ReadFile(sheet);
    EXPECT_THAT(svg, ::testing::HasSubstr("System 2: &lt;script&gt;alert(&quot;&amp;&apos;&quot;)&lt;/script&gt; ]]&gt;"));
    EXPECT_THAT(svg, ::testing::Not(::testing::HasSubstr("<script")));

    const auto pirates = RunNexmarCli({"--from-json", sector, "--dir", reports, "--where", "notes ~ pirates", "--tree"});
    EXPECT_EQ(TreeSystems(pirates.out), "System 3;") << pirates.err;
}

}  // namespace
}  // namespace nexmar
