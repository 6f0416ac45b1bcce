#include <gtest/gtest.h>

#include "map/map_system.h"

namespace nexmar {
namespace {

// What each audience's map is told of a system: the players' follows the
// handout's rules, so what they may not see never reaches the renderer.
TEST(MapSystem, ThePlayersAreToldOnlyWhatTheHandoutShows)
{
    LowSystem low;
    low.sizeClass = LowSizeClass::MajorColony;
    low.special = "Special: Ancient Ruins";
    HighSystem high;
    high.components.push_back({'A', {{StarColour::Orange, StarSize::Giant}}, {}});
    struct Case {
        const char* what;
        SystemRecord record;
        SystemEdits edits;
        MapAudience audience;
        bool drawn;
        bool special;
        bool notes;
        bool uncertain;
        std::optional<StarColour> star;
        int sizeClass;
    };
    SystemEdits noted;
    noted.notes = "Pirates";
    SystemEdits secret;
    secret.visibility = Visibility::Secret;
    SystemEdits rumoured;
    rumoured.visibility = Visibility::Rumoured;
    rumoured.playerNotes = "Beacon";
    SystemEdits hiding;
    hiding.hidden = PlayerFields{PlayerField::Name, PlayerField::Special, PlayerField::Size, PlayerField::Stars};
    hiding.name = "Vessa Reach";
    const Case cases[] = {
        {"referee's notes, to the referee", low, noted, MapAudience::Referee, true, true, true, false, {}, 2},
        {"referee's notes, to the players", low, noted, MapAudience::Players, true, true, false, false, {}, 2},
        {"a Secret system, to the referee", low, secret, MapAudience::Referee, true, true, false, false, {}, 2},
        {"a Secret system, to the players", low, secret, MapAudience::Players, false, false, false, false, {}, 0},
        {"a Rumoured one with player notes", low, rumoured, MapAudience::Players, true, false, true, true, {}, 2},
        {"hidden name, special and size", low, hiding, MapAudience::Players, true, false, false, false, {}, 1},
        {"a High main star, to the referee", high, {}, MapAudience::Referee, true, false, false, false,
         StarColour::Orange, 1},
        {"a High system's hidden stars", high, hiding, MapAudience::Players, true, false, false, false, {}, 1},
    };
    for (const Case& c : cases) {
        SectorEdits edits(2026);
        edits.Set(3, c.edits);
        const std::optional<MapSystem> shown = MapSystemOf(3, {4, 5}, c.record, edits, c.audience);
        ASSERT_EQ(shown.has_value(), c.drawn) << c.what;
        if (!shown) {
            continue;
        }
        const bool named = !(c.audience == MapAudience::Players && c.edits.hidden);
        EXPECT_EQ(shown->name, named ? edits.Name(3) : "") << c.what;
        EXPECT_EQ(shown->special, c.special) << c.what;
        EXPECT_EQ(shown->notes, c.notes) << c.what;
        EXPECT_EQ(shown->uncertain, c.uncertain) << c.what;
        EXPECT_EQ(shown->star, c.star) << c.what;
        EXPECT_EQ(shown->sizeClass, c.sizeClass) << c.what;
    }
}

}  // namespace
}  // namespace nexmar
