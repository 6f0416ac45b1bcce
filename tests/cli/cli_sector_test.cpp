// Names and notes on the command line: --where finds by them, --from-json
// gives an edited sector back as it was saved, and every output carries
// what a referee typed as text, never as markup.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "gen/names/system_names.h"
#include "gen/names/visibility.h"
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

// The names of the fields of a Medium system that visibility hides by
// default, last first: a list out of the writer's order.
ordered_json DefaultHiddenBackwards(Visibility visibility)
{
    ordered_json names = ordered_json::array();
    for (const PlayerField field : PlayerFieldsOf(DetailLevel::Medium)) {
        if (DefaultHiddenFields(visibility).Has(field)) {
            names.insert(names.begin(), std::string(PlayerFieldName(field)));
        }
    }
    return names;
}

std::vector<std::string> Keys(const ordered_json& object)
{
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) {
        keys.push_back(key);
    }
    return keys;
}

// --json writes the document it read in its canonical form: a canonical
// document comes back byte for byte, and one that says the defaults aloud,
// or says them out of order, comes back canonical, meaning the same.
TEST(CliSector, ADocumentReadIsWrittenBackInItsCanonicalForm)
{
    const TempDir dir;
    const auto written = RunNexmarCli({"--systems", "4", "--detail", "medium", "--census", "--seed", "9", "--dir",
                                       dir.path().string(), "--json", "-"});
    ASSERT_EQ(written.status, 0) << written.err;
    const std::string canonical = (dir.path() / "canonical.json").string();
    std::ofstream(canonical) << written.out;
    const auto again = RunNexmarCli({"--from-json", canonical, "--dir", dir.path().string(), "--json", "-"});
    EXPECT_EQ(again.out, written.out) << again.err;

    ordered_json document = ordered_json::parse(written.out);
    ordered_json& systems = document["systems"];
    const std::vector<std::string> plainKeys = Keys(systems[0]);
    systems[0]["visibility"] = "Known";
    systems[0]["hidden"] = ordered_json::array();
    systems[1]["hidden"] = DefaultHiddenBackwards(Visibility::Rumoured);
    systems[1]["visibility"] = "Rumoured";
    systems[2]["hidden"] = {"raw", "capacity"};
    systems[3]["hidden"] = ordered_json::array();
    const std::string spoken = (dir.path() / "spoken.json").string();
    std::ofstream(spoken) << document.dump(2) << "\n";
    const auto read = RunNexmarCli({"--from-json", spoken, "--dir", dir.path().string(), "--json", "-"});
    ASSERT_EQ(read.status, 0) << read.err;
    const ordered_json back = ordered_json::parse(read.out);
    std::vector<std::string> rumouredKeys = plainKeys;
    rumouredKeys.insert(std::find(rumouredKeys.begin(), rumouredKeys.end(), "hex") + 1, "visibility");
    std::vector<std::string> hiddenKeys = plainKeys;
    hiddenKeys.insert(std::find(hiddenKeys.begin(), hiddenKeys.end(), "hex") + 1, "hidden");
    EXPECT_EQ(Keys(back["systems"][0]), plainKeys);
    EXPECT_EQ(Keys(back["systems"][1]), rumouredKeys);
    EXPECT_EQ(back["systems"][1]["visibility"], "Rumoured");
    EXPECT_EQ(Keys(back["systems"][2]), hiddenKeys);
    EXPECT_EQ(back["systems"][2]["hidden"], ordered_json({"capacity", "raw"}));
    // A hidden list chosen empty hides what a Known system hides: nothing.
    EXPECT_EQ(Keys(back["systems"][3]), plainKeys);
    const std::string rewritten = (dir.path() / "rewritten.json").string();
    std::ofstream(rewritten) << read.out;
    EXPECT_EQ(RunNexmarCli({"--from-json", rewritten, "--dir", dir.path().string(), "--json", "-"}).out, read.out);
}

}  // namespace
}  // namespace nexmar
