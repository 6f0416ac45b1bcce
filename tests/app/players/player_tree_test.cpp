#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "players/player_tree.h"
#include "support/scratch.h"

namespace nexmar {
namespace {

using testing::RecordingNotifier;
using testing::TempDir;

struct Rolled {
    RunRecords records;
    std::shared_ptr<const ShownTree> tree;
};

Rolled Roll(DetailLevel level, bool census, int systems)
{
    const TempDir dir;
    Rolled rolled{RunRecords(77), nullptr};
    SeededDice dice(77);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    RunOutput* const observers[] = {&rolled.records};
    RunGeneration({{systems, level, census, 77}}, dice, tree, reports, notifier, {}, observers);
    rolled.tree = std::make_shared<ShownTree>(ShownTree::CopyOf(tree));
    return rolled;
}

// The texts of every item the players see below item, in tree order.
void Gather(const PlayerTree& players, ItemId item, std::vector<std::string>& texts)
{
    for (const ItemId child : players.Children(item)) {
        EXPECT_TRUE(players.Shows(child));
        texts.emplace_back(players.Text(child));
        Gather(players, child, texts);
    }
}

std::size_t Count(const std::vector<std::string>& texts, const std::function<bool(const std::string&)>& holds)
{
    return static_cast<std::size_t>(std::count_if(texts.begin(), texts.end(), holds));
}

bool Starts(const std::string& text, const char* start)
{
    return text.rfind(start, 0) == 0;
}

// Each field hidden from every system of a run: the lines that show it read
// "?" (none is left with its value), or are absent where being there tells.
TEST(PlayerTree, EachHiddenFieldReadsAsTheHandoutShowsIt)
{
    struct Case {
        DetailLevel level;
        bool census;
        PlayerFields hidden;
        const char* line;    // the lines of the field
        const char* shown;   // what each of them reads; null: none is there
    };
    using enum PlayerField;
    const Case cases[] = {
        {DetailLevel::High, true, {Stars}, "Star ", ": ?"},
        {DetailLevel::High, true, {Type}, "Base stats: ", "/?"},
        {DetailLevel::High, true, {Raw}, "Raw: ", "Raw: ?"},
        {DetailLevel::High, true, {Census}, "Morale: ", "Morale: ?"},
        {DetailLevel::High, true, {Moons}, "Moon ", nullptr},
        // Without census only a Gaia World shows colony lines, which would tell its special.
        {DetailLevel::High, false, {Special}, "Census: ", nullptr},
        {DetailLevel::Medium, true, {Moons}, "Moons: ", "Moons: ?"},
        {DetailLevel::Medium, true, {Value}, "Base stats: ", "Base stats: ?/"},
        {DetailLevel::Low, true, {Importance}, "Base stats: ", "/?"},
        {DetailLevel::Low, true, {Special}, "Special: ", "Special: ?"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(DetailLevelName(test.level)) + " " + test.line);
        Rolled run = Roll(test.level, test.census, 200);
        const std::vector<std::string> before = [&] {
            std::vector<std::string> texts;
            Gather(PlayerTree(run.tree, run.records), kNoItem, texts);
            return texts;
        }();
        const auto isLine = [&](const std::string& text) { return Starts(text, test.line); };
        ASSERT_GT(Count(before, isLine), 0u);
        for (std::size_t place = 0; place < run.records.size(); ++place) {
            SystemEdits edits;
            edits.hidden = test.hidden;
            run.records.SetEdits(place, edits);
        }
        std::vector<std::string> after;
        Gather(PlayerTree(run.tree, run.records), kNoItem, after);
        if (test.shown == nullptr) {
            EXPECT_EQ(Count(after, isLine), 0u);
            continue;
        }
        const auto reads = [&](const std::string& text) {
            return Starts(text, test.shown) || text.ends_with(test.shown);
        };
        // A special line may carry no label until it reads "Special: ?";
        // hidden stars keep one line a component, which tells no pair.
        if (test.hidden.Has(Stars)) {
            EXPECT_LT(Count(after, isLine), Count(before, isLine));
        } else {
            EXPECT_GE(Count(after, isLine), Count(before, isLine));
        }
        EXPECT_EQ(Count(after, [&](const std::string& text) { return isLine(text) && reads(text); }),
                  Count(after, isLine));
    }
}

// A Secret system is absent, rows and all; a hidden name leaves none beside
// the system, and a Rumoured one says so.
TEST(PlayerTree, SecretSystemsAreAbsentAndNamesThePlayers)
{
    Rolled run = Roll(DetailLevel::Medium, false, 4);
    SystemEdits secret;
    secret.visibility = Visibility::Secret;
    run.records.SetEdits(1, secret);
    SystemEdits rumoured;
    rumoured.visibility = Visibility::Rumoured;
    rumoured.hidden = PlayerFields{PlayerField::Name};
    run.records.SetEdits(2, rumoured);
    const PlayerTree players(run.tree, run.records);
    const std::span<const ItemId> systems = run.tree->Children(run.tree->Children(kNoItem).front());
    ASSERT_EQ(players.Systems(), (std::vector<ItemId>{systems[0], systems[2], systems[3]}));
    EXPECT_FALSE(players.Shows(systems[1]));
    EXPECT_FALSE(players.Shows(run.tree->Children(systems[1]).front()));
    EXPECT_EQ(players.Row(systems[3]), 2);
    EXPECT_EQ(players.Name(0), run.records.Edits().Name(1));
    EXPECT_EQ(players.Name(1), "");
    EXPECT_EQ(players.Name(2), "(Rumoured)");
}

}  // namespace
}  // namespace nexmar
