#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <regex>
#include <sstream>

#include "model/note_target.h"
#include "model/sector_change.h"
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

}  // namespace
}  // namespace nexmar
