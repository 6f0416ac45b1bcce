#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <regex>
#include <sstream>

#include "model/note_target.h"
#include "model/sector_change.h"
#include "json/rules_file.h"
#include "support/test_support.h"
#include "support/scratch.h"

namespace nexmar {
namespace {

using testing::RecordingNotifier;
using testing::TempDir;

RunRecords Rolled(DetailLevel level, bool census, int systems, std::uint32_t seed, ResultTree* shown = nullptr)
{
    const TempDir dir;
    RunRecords records(seed);
    SeededDice dice(seed);
    ResultTree own;
    ResultTree& tree = shown != nullptr ? *shown : own;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    RunOutput* const observers[] = {&records};
    RunGeneration({{systems, level, census, seed}}, dice, tree, reports, notifier, {}, observers);
    return records;
}

// The sector as its document says it: every record, name and note.
std::string Document(const RunRecords& records, DetailLevel level, bool census, std::uint32_t seed)
{
    std::string document;
    JsonExport json("nexmar", [&](std::string_view text) { document.append(text); }, &records.Edits());
    json.Begin({.systems = static_cast<int>(records.size()), .level = level, .census = census, .seed = seed});
    for (std::size_t place = 0; place < records.size(); ++place) {
        json.Add(records.NumberAt(place), records.At(place));
    }
    json.Finish();
    return document;
}

// Each system's hex as the document gives it, in the order of the systems.
std::vector<std::string> Hexes(const std::string& document)
{
    std::vector<std::string> hexes;
    const std::regex hex("\"hex\":\"(\\d{4})\"");
    for (auto it = std::sregex_iterator(document.begin(), document.end(), hex); it != std::sregex_iterator(); ++it) {
        hexes.push_back((*it)[1]);
    }
    return hexes;
}

TEST(SectorChange, EveryEditIsUndoneToTheSectorAsItWas)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        SCOPED_TRACE(DetailLevelName(level));
        RunRecords records = Rolled(level, true, 5, 2026);
        const std::string original = Document(records, level, true, 2026);
        const std::size_t rerolled[] = {0, 3};
        const Seed seeds[] = {11, 12};
        // Each change is made against the sector as it stands, as the dialog makes it.
        const std::function<SectorChange()> edits[] = {
            [&] { return SectorChange::Rename(records, 1, "Port <Velorin>"); },
            [&] { return SectorChange::Note(records, 1, "Pirates\nin the belt"); },
            [&] { return SectorChange::ObjectNote(records, 3, level == DetailLevel::High ? "A1" : "1", "a moon base"); },
            [&] { return SectorChange::PlayerNote(records, 1, "Fuel for sale"); },
            [&] { return SectorChange::ObjectPlayerNote(records, 3, level == DetailLevel::High ? "A1" : "1", "a beacon"); },
            [&] { return SectorChange::ChangeVisibility(records, rerolled, Visibility::Rumoured); },
            [&] { return SectorChange::HideFields(records, 0, PlayerFields{PlayerField::Name}); },
            [&] { return SectorChange::Reroll(records, true, rerolled, seeds); },
        };
        std::vector<SectorChange> changes;
        std::vector<std::string> states = {original};
        for (const auto& edit : edits) {
            changes.push_back(edit());
            changes.back().Apply(records);
            states.push_back(Document(records, level, true, 2026));
            // A Low system has no objects to note.
            if (level != DetailLevel::Low || (changes.size() != 3 && changes.size() != 5)) {
                EXPECT_NE(states.back(), states[states.size() - 2]) << changes.back().Text();
            }
        }
        EXPECT_EQ(records.Edits().Name(2), "Port <Velorin>");
        EXPECT_EQ(records.Edits().Find(2)->notes, "Pirates\nin the belt");
        // The reroll took the object's notes with the object they were on,
        // and kept what the players may see of the system.
        EXPECT_EQ(records.Edits().Find(4)->objectNotes.size(), 0u);
        EXPECT_EQ(records.Edits().Find(4)->objectPlayerNotes.size(), 0u);
        EXPECT_EQ(records.Edits().Find(4)->seed, 12u);
        EXPECT_EQ(records.Edits().Find(4)->visibility, Visibility::Rumoured);
        EXPECT_EQ(records.Edits().Find(1)->Hidden(), PlayerFields{PlayerField::Name});
        EXPECT_EQ(changes[5].Text(), "Mark 2 Systems Rumoured");
        EXPECT_TRUE(changes.back().ChangesRecords());
        EXPECT_FALSE(changes[0].ChangesRecords());
        // Renamed and rolled again, every system keeps its hex.
        EXPECT_EQ(Hexes(states.back()).size(), 5u);
        EXPECT_EQ(Hexes(states.back()), Hexes(original));
        for (std::size_t undone = changes.size(); undone-- > 0;) {
            changes[undone].Revert(records);
            EXPECT_EQ(Document(records, level, true, 2026), states[undone]) << changes[undone].Text();
        }
        for (const SectorChange& change : changes) {
            change.Apply(records);
        }
        EXPECT_EQ(Document(records, level, true, 2026), states.back());
    }
}

// Every item of an object, the moons' too, notes the object under the
// place its document keeps it, and every other item of a system the system.
TEST(NoteTarget, AnItemNotesTheObjectOrSystemHoldingIt)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        SCOPED_TRACE(DetailLevelName(level));
        ResultTree rendered;
        const RunRecords records = Rolled(level, false, 20, 99, &rendered);
        const ShownTree tree = ShownTree::CopyOf(rendered);
        const std::span<const ItemId> systems = tree.Children(tree.Children(kNoItem).front());
        int objects = 0;
        for (std::size_t place = 0; place < systems.size(); ++place) {
            for (const ItemId child : tree.at(systems[place]).children) {
                // "Object 4A.2" keeps its notes under "A2", "Object 4.2" under "2".
                const std::string text(tree.at(child).text);
                const bool object = text.starts_with("Object ");
                std::string expected;
                if (object) {
                    const std::string mark = text.substr(text.find(' ') + 1);
                    const std::size_t dot = mark.find('.');
                    const char letter = mark[dot - 1];
                    expected = (std::isalpha(static_cast<unsigned char>(letter)) ? std::string(1, letter) : "") +
                               mark.substr(dot + 1);
                    ++objects;
                }
                const ItemId deepest = tree.at(child).children.empty() ? child : tree.at(child).children.back();
                for (const ItemId item : {child, deepest}) {
                    const std::optional<NoteTarget> target = NoteTargetOf(tree, records, item);
                    ASSERT_TRUE(target.has_value()) << text;
                    EXPECT_EQ(target->place, place);
                    EXPECT_EQ(target->object, expected) << text;
                    EXPECT_EQ(target->objectItem, object ? text : std::string());
                }
            }
        }
        EXPECT_EQ(objects > 0, level != DetailLevel::Low);
        EXPECT_FALSE(NoteTargetOf(tree, records, tree.Children(kNoItem).front()).has_value());
    }
}

// A system rolled again is one its place allows and the seed repeats: the
// first Low system stays a Major Colony, and the document that records the
// seed reads back as the very sector edited.
TEST(SectorChange, ASystemRolledAgainIsReproducibleFromTheDocument)
{
    for (Seed seed = 1; seed <= 50; ++seed) {
        RunRecords records = Rolled(DetailLevel::Low, false, 3, 7);
        const std::size_t first[] = {0};
        SectorChange::Reroll(records, false, first, std::span(&seed, 1)).Apply(records);
        ASSERT_EQ(std::get<LowSystem>(records.At(0)).sizeClass, LowSizeClass::MajorColony);
        const std::string document = Document(records, DetailLevel::Low, false, 7);
        std::istringstream in(document);
        const auto read = LoadJsonRun(in, 10);
        ASSERT_TRUE(std::holds_alternative<LoadedRun>(read)) << std::get<JsonReadError>(read).message;
        EXPECT_EQ(std::get<LoadedRun>(read).systems, records.AsLoadedRun().systems);
        EXPECT_TRUE(std::get<LoadedRun>(read).edits == records.Edits());
    }
}

TEST(SectorChange, ASystemRolledAgainInAHouseRulesRunRollsByItsRules)
{
    // Under these rules every system after the first is an Outpost, which
    // the game's importance table gives for 4 and 5 alone.
    const RulesRead rules = ReadRules(R"({"format": 1, "tables": {"low.importance": {"dice": "2d6", "rows": [
      {"from": 2, "to": 12, "result": "Outpost"}]}}})");
    ASSERT_NE(rules.rules, nullptr);
    RunSettings settings{3, DetailLevel::Low, false, 7};
    settings.rules = rules.rules;
    SeededDice dice(7);
    ResultTree tree;
    const TempDir directory;
    ReportFiles reports(directory.path());
    RecordingNotifier notifier;
    std::string document;
    JsonExport json("nexmar", [&](std::string_view text) { document.append(text); });
    RunOutput* const outputs[] = {&json};
    RunGeneration({settings}, dice, tree, reports, notifier, {}, outputs);
    std::istringstream in(document);
    auto read = LoadJsonRun(in, 10);
    ASSERT_TRUE(std::holds_alternative<LoadedRun>(read)) << std::get<JsonReadError>(read).message;
    RunRecords records(std::move(std::get<LoadedRun>(read)));

    for (Seed seed = 1; seed <= 20; ++seed) {
        const std::size_t second[] = {1};
        SectorChange::Reroll(records, false, second, std::span(&seed, 1)).Apply(records);
        ASSERT_EQ(std::get<LowSystem>(records.At(1)).sizeClass, LowSizeClass::Outpost) << "seed " << seed;
    }
}

// Each field of a system's edits, named, so that a failure says which one
// an edit lost or changed.
struct EditField {
    const char* name;
    std::function<bool(const SystemEdits&, const SystemEdits&)> same;
};
const EditField kEditFields[] = {
    {"name", [](const SystemEdits& a, const SystemEdits& b) { return a.name == b.name; }},
    {"notes", [](const SystemEdits& a, const SystemEdits& b) { return a.notes == b.notes; }},
    {"object notes", [](const SystemEdits& a, const SystemEdits& b) { return a.objectNotes == b.objectNotes; }},
    {"player notes", [](const SystemEdits& a, const SystemEdits& b) { return a.playerNotes == b.playerNotes; }},
    {"object player notes",
     [](const SystemEdits& a, const SystemEdits& b) { return a.objectPlayerNotes == b.objectPlayerNotes; }},
    {"visibility", [](const SystemEdits& a, const SystemEdits& b) { return a.visibility == b.visibility; }},
    {"hidden fields", [](const SystemEdits& a, const SystemEdits& b) { return a.hidden == b.hidden; }},
    {"seed", [](const SystemEdits& a, const SystemEdits& b) { return a.seed == b.seed; }},
    {"lock", [](const SystemEdits& a, const SystemEdits& b) { return a.locked == b.locked; }},
};

void ExpectEdits(const SystemEdits& actual, const SystemEdits& expected, const std::string& when)
{
    for (const EditField& field : kEditFields) {
        EXPECT_TRUE(field.same(actual, expected)) << when << ": the " << field.name << " not as they must be";
    }
}

// An edit of the sector, made on the system at place 1, and what it must do
// to that system's edits: every field but those it names is kept.
struct SectorEdit {
    const char* name;
    std::function<SectorChange(const RunRecords&)> make;
    std::function<void(SystemEdits&)> expected;
    bool rollsAgain = false;
};

constexpr std::size_t kEdited = 1;
const std::size_t kEditedPlaces[] = {kEdited};
const std::size_t kOtherPlaces[] = {0, 2};
const Seed kNewSeeds[] = {77, 78};

const SectorEdit kSectorEdits[] = {
    {"rename", [](const RunRecords& r) { return SectorChange::Rename(r, kEdited, "Brask"); },
     [](SystemEdits& e) { e.name = "Brask"; }},
    {"notes", [](const RunRecords& r) { return SectorChange::Note(r, kEdited, "new notes"); },
     [](SystemEdits& e) { e.notes = "new notes"; }},
    {"object notes", [](const RunRecords& r) { return SectorChange::ObjectNote(r, kEdited, "A1", "a dock"); },
     [](SystemEdits& e) { e.objectNotes["A1"] = "a dock"; }},
    {"player notes", [](const RunRecords& r) { return SectorChange::PlayerNote(r, kEdited, "seen"); },
     [](SystemEdits& e) { e.playerNotes = "seen"; }},
    {"object player notes",
     [](const RunRecords& r) { return SectorChange::ObjectPlayerNote(r, kEdited, "A1", "a light"); },
     [](SystemEdits& e) { e.objectPlayerNotes["A1"] = "a light"; }},
    {"visibility",
     [](const RunRecords& r) { return SectorChange::ChangeVisibility(r, kEditedPlaces, Visibility::Secret); },
     [](SystemEdits& e) { e.visibility = Visibility::Secret; }},
    {"hidden fields",
     [](const RunRecords& r) { return SectorChange::HideFields(r, kEdited, PlayerFields{PlayerField::Raw}); },
     [](SystemEdits& e) { e.hidden = PlayerFields{PlayerField::Raw}; }},
    {"lock", [](const RunRecords& r) { return SectorChange::Lock(r, kEdited, true); },
     [](SystemEdits& e) { e.locked = true; }},
    // Notes on objects go with the objects rolled away; all else stays.
    {"reroll", [](const RunRecords& r) { return SectorChange::Reroll(r, true, kEditedPlaces, kNewSeeds); },
     [](SystemEdits& e) {
         e.objectNotes.clear();
         e.objectPlayerNotes.clear();
         e.seed = kNewSeeds[0];
     },
     true},
    // The others rolled again leave this system whole.
    {"reroll others", [](const RunRecords& r) { return SectorChange::Reroll(r, true, kOtherPlaces, kNewSeeds); },
     [](SystemEdits&) {}},
};

// A system the referee has made everything of: named, noted for both, an
// object noted, Rumoured with fields of its own hidden and rolled again once.
SystemEdits EditedEverywhere()
{
    SystemEdits edits;
    edits.name = "Velorin";
    edits.notes = "pirates";
    edits.objectNotes["A1"] = "a base";
    edits.playerNotes = "fuel";
    edits.objectPlayerNotes["A1"] = "a beacon";
    edits.visibility = Visibility::Rumoured;
    edits.hidden = PlayerFields{PlayerField::Name, PlayerField::Capacity};
    edits.seed = 5;
    return edits;
}

void PrintTo(const SectorEdit& edit, std::ostream* out)
{
    *out << edit.name;
}

class SectorEditKeeps : public ::testing::TestWithParam<SectorEdit> {};

TEST_P(SectorEditKeeps, WhatItMustInApplyAndUndo)
{
    const SectorEdit& edit = GetParam();
    RunRecords records = Rolled(DetailLevel::High, true, 3, 2026);
    for (std::size_t place = 0; place < records.size(); ++place) {
        records.SetEdits(place, EditedEverywhere());
    }
    const SystemRecord before = records.At(kEdited);
    SystemEdits expected = EditedEverywhere();
    edit.expected(expected);

    const SectorChange change = edit.make(records);
    change.Apply(records);
    ExpectEdits(*records.Edits().Find(records.NumberAt(kEdited)), expected, std::string(edit.name) + ", applied");
    EXPECT_EQ(records.At(kEdited) == before, !edit.rollsAgain) << edit.name << ": the system's record";
    change.Revert(records);
    ExpectEdits(*records.Edits().Find(records.NumberAt(kEdited)), EditedEverywhere(),
                std::string(edit.name) + ", undone");
    EXPECT_TRUE(records.At(kEdited) == before) << edit.name << ", undone: the system's record";
}

INSTANTIATE_TEST_SUITE_P(Edits, SectorEditKeeps, ::testing::ValuesIn(kSectorEdits), testing::ParamNamed());

// Player View redraws on what the players see: a system made Known or
// Secret changes it even where the referee's own hidden fields stay.
TEST(SectorChange, AChangeOfVisibilityChangesWhatThePlayersSee)
{
    RunRecords records = Rolled(DetailLevel::High, true, 3, 2026);
    records.SetEdits(kEdited, EditedEverywhere());
    for (const Visibility visibility : {Visibility::Known, Visibility::Secret}) {
        EXPECT_TRUE(SectorChange::ChangeVisibility(records, kEditedPlaces, visibility).ChangesWhatPlayersSee())
            << "made " << static_cast<int>(visibility);
    }
}

}  // namespace
}  // namespace nexmar
