#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <variant>

#include "gen/system_reroll.h"
#include "json/json_import.h"
#include "support/json_document.h"

namespace nexmar {
namespace {

using nlohmann::ordered_json;
using testing::ExportedRun;

std::variant<LoadedRun, JsonReadError> Read(const std::string& document)
{
    std::istringstream in(document);
    return LoadJsonRun(in, 1000);
}

LoadedRun Loaded(const std::string& document)
{
    auto read = Read(document);
    if (auto* error = std::get_if<JsonReadError>(&read)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<LoadedRun>(std::move(read));
}

// The document of a run as edited, written as the dialog writes it.
std::string Exported(const LoadedRun& run)
{
    std::string document;
    JsonExport json(run.summary.program, [&](std::string_view text) { document.append(text); }, &run.edits);
    json.Begin(run.summary.settings);
    std::size_t at = 0;
    for (const SystemRecord& system : run.systems) {
        json.Add(run.numbers[at++], system);
    }
    json.Finish();
    return document;
}

// System 2 rolled again from seed 777 and given the place of an object its
// notes go under (none at Low).
std::string RerollSecond(LoadedRun& run, bool census)
{
    constexpr std::uint32_t kSeed = 777;
    if (std::holds_alternative<LowSystem>(run.systems[1])) {
        run.systems[1] = RerollLowSystem(2, census, kSeed);
        return {};
    }
    if (std::holds_alternative<MediumSystem>(run.systems[1])) {
        run.systems[1] = RerollMediumSystem(census, kSeed);
        return MediumObjectPlace(1);
    }
    const HighSystem& high = std::get<HighSystem>(run.systems[1] = RerollHighSystem(census, kSeed));
    for (const StarComponent& component : high.components) {
        if (!component.objects.empty()) {
            return HighObjectPlace(component.letter, 1);
        }
    }
    return {};
}

// Names and notes that every output must carry as text: markup, quotes,
// the end of a CDATA section, a right-to-left override, an emoji.
TEST(SectorDocument, NamesNotesAndRerolledSystemsComeBackAsTheyWereSaved)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        SCOPED_TRACE(DetailLevelName(level));
        LoadedRun run = Loaded(ExportedRun(level, true, 4, 31));
        const std::string place = RerollSecond(run, true);
        SystemEdits second;
        second.name = "<script>alert(1)</script>";
        second.notes = "Pirates \"&' hide here.\n]]> \xE2\x80\xAE reversed \xF0\x9F\x9A\x80";
        second.seed = 777;
        if (!place.empty()) {
            second.objectNotes[place] = "A </desc> moon base";
            second.objectPlayerNotes[place] = "Docking <fees> high";
        }
        second.playerNotes = "Beware & <b>";
        second.visibility = Visibility::Rumoured;
        second.hidden = PlayerFields{PlayerField::Name, PlayerField::Capacity};
        run.edits.Set(2, second);
        SystemEdits fourth;
        fourth.name = "Zo\xC3\xAB's Rest";
        fourth.visibility = Visibility::Secret;
        fourth.locked = true;
        run.edits.Set(4, fourth);
        SystemEdits third;
        third.visibility = Visibility::Rumoured;  // hiding what a rumour hides by default
        run.edits.Set(3, third);
        const std::string document = Exported(run);

        const LoadedRun again = Loaded(document);
        EXPECT_TRUE(again.edits == run.edits);
        EXPECT_EQ(again.edits.Name(2), "<script>alert(1)</script>");
        EXPECT_EQ(again.edits.Name(3), run.edits.GeneratedNameOf(3).view());
        EXPECT_EQ(again.systems, run.systems);
        EXPECT_EQ(Exported(again), document);
        // A lock is written only where there is one.
        EXPECT_EQ(ordered_json::parse(document)["systems"][3]["locked"], true);
        EXPECT_FALSE(ordered_json::parse(document)["systems"][1].contains("locked"));
    }
}

// A seed is written as a number while every JSON reader holds it exactly
// (up to 2^53 - 1), as a string of its digits beyond, and read back to the
// bit in either form: the run's and a rerolled system's alike.
TEST(SectorDocument, SeedsComeBackExactlyAsNumbersOrStrings)
{
    const struct {
        Seed seed;
        const char* written;
    } cases[] = {
        {Seed{1} << 32, "4294967296"},
        {(Seed{1} << 53) - 1, "9007199254740991"},
        {(Seed{1} << 53) + 1, "\"9007199254740993\""},
        {~Seed{0}, "\"18446744073709551615\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        LoadedRun run = Loaded(ExportedRun(DetailLevel::Low, false, 3, c.seed));
        EXPECT_EQ(run.summary.settings.seed, c.seed);
        run.systems[1] = RerollLowSystem(2, false, c.seed);
        SystemEdits second;
        second.seed = c.seed;
        run.edits.Set(2, second);
        const std::string document = Exported(run);
        const std::string field = std::string("\"seed\":") + c.written;
        const std::size_t head = document.find(field);
        ASSERT_NE(head, std::string::npos) << document;
        EXPECT_NE(document.find(field, head + 1), std::string::npos) << document;

        const LoadedRun again = Loaded(document);
        EXPECT_EQ(again.summary.settings.seed, c.seed);
        ASSERT_NE(again.edits.Find(2), nullptr);
        EXPECT_EQ(again.edits.Find(2)->seed, c.seed);
        EXPECT_EQ(again.systems, run.systems);
        // Either form reads as the same seed, whichever the writer chose.
        ordered_json other = ordered_json::parse(document);
        other["seed"] = other["seed"].is_string() ? ordered_json(c.seed) : ordered_json(std::to_string(c.seed));
        EXPECT_EQ(Loaded(other.dump()).summary.settings.seed, c.seed);
    }
}

// A document of the first format has no names: its systems take those of
// its seed, and nothing counts as edited.
TEST(SectorDocument, ADocumentOfTheFirstFormatReadsWithTheNamesOfItsSeed)
{
    ordered_json document = ordered_json::parse(ExportedRun(DetailLevel::High, false, 3, 8));
    document["format"] = 1;
    document.erase("density");
    document.erase("jump");
    for (ordered_json& system : document["systems"]) {
        system.erase("name");
        system.erase("hex");
    }
    const LoadedRun run = Loaded(document.dump());
    EXPECT_TRUE(run.edits.Systems().empty());
    for (int number = 1; number <= 3; ++number) {
        EXPECT_EQ(run.edits.Name(number), NameGenerator(8).Name(number).view());
    }
}

struct BadEdit {
    const char* name;
    int format;
    const char* key;  // of the second system, set to value
    std::string value;
    const char* message;
};

TEST(SectorDocument, ABadNameOrNoteIsRefusedInOneLine)
{
    const BadEdit cases[] = {
        {"empty name", 3, "name", "", "/systems/1/name (line 1): expected a name (a name is not empty"},
        {"control character", 3, "name", "Bell\x07", "/systems/1/name (line 1): expected a name (a control character at byte 5)"},
        {"long name", 3, "name", std::string(101, 'x'), "/systems/1/name (line 1): expected a name (longer than 100 bytes)"},
        {"tab in a note", 3, "notes", "a\tb", "/systems/1/notes (line 1): expected a note (a control character at byte 2)"},
        // What no XML output could carry, and the noncharacters beside it.
        {"U+FFFF in a name", 3, "name", "A\xEF\xBF\xBF", "/systems/1/name (line 1): expected a name (a noncharacter at byte 2)"},
        {"U+FFFE in a note", 3, "notes", "a\xEF\xBF\xBE", "/systems/1/notes (line 1): expected a note (a noncharacter at byte 2)"},
        {"U+FDD0 in a note", 3, "playerNotes", "a\xEF\xB7\x90", "/systems/1/playerNotes (line 1): expected a note (a noncharacter at byte 2)"},
        {"U+10FFFF in a name", 3, "name", "A\xF4\x8F\xBF\xBF", "/systems/1/name (line 1): expected a name (a noncharacter at byte 2)"},
        {"long note", 3, "notes", std::string(65537, 'n'), "/systems/1/notes (line 1): expected a note (longer than 65536 bytes)"},
        {"10 MB note", 3, "notes", std::string(10 << 20, 'n'), "/systems/1/notes (line 1): expected a text of at most 1048576 bytes"},
        {"name in format 1", 1, "name", "Velorin", "/systems/1/name (line 1): unexpected field"},
    };
    for (const BadEdit& bad : cases) {
        SCOPED_TRACE(bad.name);
        ordered_json document = ordered_json::parse(ExportedRun(DetailLevel::Low, false, 2, 4));
        document["format"] = bad.format;
        if (bad.format == 1) {
            document.erase("density");
            document.erase("jump");
            for (ordered_json& system : document["systems"]) {
                system.erase("name");
                system.erase("hex");
            }
        }
        document["systems"][1][bad.key] = bad.value;
        const auto read = Read(document.dump(-1, ' ', false, ordered_json::error_handler_t::ignore));
        ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
        EXPECT_THAT(std::get<JsonReadError>(read).message, ::testing::StartsWith(bad.message));
        EXPECT_EQ(std::get<JsonReadError>(read).message.find('\n'), std::string::npos);
    }
}

TEST(SectorDocument, ANameNotInUtf8OrASeedThatRollsAnotherSystemIsRefused)
{
    std::string document = ExportedRun(DetailLevel::Low, false, 2, 4);
    const std::string name = "\"name\":\"" + std::string(NameGenerator(4).Name(2).view()) + "\"";
    std::string latin1 = document;
    latin1.replace(latin1.find(name), name.size(), "\"name\":\"Caf\xE9\"");
    const auto read = Read(latin1);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
    EXPECT_THAT(std::get<JsonReadError>(read).message, ::testing::HasSubstr("expected text in UTF-8"));

    // Seed 1 rolls a system other than the second of seed 4.
    ASSERT_FALSE(SystemRecord(RerollLowSystem(2, false, 1)) == Loaded(document).systems[1]);
    document.replace(document.find(name), name.size(), name + ",\"seed\":1");
    const auto rerolled = Read(document);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(rerolled));
    EXPECT_THAT(std::get<JsonReadError>(rerolled).message,
                ::testing::StartsWith("/systems/1/seed (line 3): expected the seed this system was rolled from"));
}

// What the players may see is one of the visibilities, and fields of the
// system's own level, each named once; a lock is true or false.
TEST(SectorDocument, AVisibilityOrHiddenFieldsThatCannotBeAreRefused)
{
    const struct {
        DetailLevel level;
        const char* key;
        ordered_json value;
        const char* message;
    } cases[] = {
        {DetailLevel::Low, "visibility", "Hidden", "/systems/1/visibility (line 1): expected one of \"Known\", \"Rumoured\", \"Secret\""},
        {DetailLevel::Low, "hidden", "capacity", "/systems/1/hidden (line 1): expected an array of 0 to 7 fields"},
        {DetailLevel::Low, "hidden", {"moons"}, "/systems/1/hidden/0 (line 1): expected one of \"name\", \"size\", \"importance\""},
        {DetailLevel::Medium, "hidden", {"raw", "raw"}, "/systems/1/hidden/1 (line 1): expected each field once"},
        {DetailLevel::Low, "locked", "yes", "/systems/1/locked (line 1): expected true or false"},
        {DetailLevel::High, "playerNotes", "a\x01", "/systems/1/playerNotes (line 1): expected a note (a control character"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.message);
        ordered_json document = ordered_json::parse(ExportedRun(bad.level, false, 2, 4));
        document["systems"][1][bad.key] = bad.value;
        const auto read = Read(document.dump());
        ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
        EXPECT_THAT(std::get<JsonReadError>(read).message, ::testing::StartsWith(bad.message));
    }
}

// Every note may be long, but not the notes of a whole sector together.
TEST(SectorDocument, TheNotesOfADocumentAreBounded)
{
    ordered_json document = ordered_json::parse(ExportedRun(DetailLevel::Low, false, 300, 4));
    for (ordered_json& system : document["systems"]) {
        system["notes"] = std::string(60000, 'n');
    }
    const auto read = Read(document.dump());
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
    EXPECT_THAT(std::get<JsonReadError>(read).message,
                ::testing::StartsWith("/systems/279 (line 1): expected at most 16777216 bytes of notes"));
}

}  // namespace
}  // namespace nexmar
