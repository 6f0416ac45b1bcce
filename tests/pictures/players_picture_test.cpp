#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gen/names/sector_edits.h"
#include "picture/system_picture.h"
#include "pictures/hidden_field_cases.h"

namespace nexmar {
namespace {

using testing::FieldCase;
using testing::HiddenFieldCases;
using testing::Variant;

// The picture the players are handed of the system as System 1, with only
// field kept from them, or nothing.
std::string PlayersPicture(const Variant& variant, PlayerFields hidden)
{
    SectorEdits edits(1);
    SystemEdits made;
    made.name = variant.name;
    made.hidden = hidden;
    edits.Set(1, made);
    const std::optional<PlayerSystem> shown = PlayerSystemOf(edits, 1);
    return SystemSvg(1, variant.record, shown->name, shown->hidden, PictureLegend::Below);
}

// A hidden field is drawn alike for every value it could take: the players'
// pictures of systems differing in it alone are the same bytes. Shown, the
// same systems are drawn apart, so the case would catch a drawing that
// leaves the field out altogether.
TEST(PlayersPicture, HiddenFieldIsDrawnAlikeForEveryValue)
{
    std::set<std::pair<std::string, PlayerField>> covered;
    for (const FieldCase& c : HiddenFieldCases()) {
        const std::string what = std::string(c.what) + " " + std::string(PlayerFieldName(c.field));
        covered.insert({c.what, c.field});
        std::set<std::string> shown;
        for (const Variant& variant : c.variants) {
            EXPECT_TRUE(PlayersPicture(variant, {c.field}) == PlayersPicture(c.variants.front(), {c.field})) << what;
            shown.insert(PlayersPicture(variant, {}));
        }
        EXPECT_EQ(shown.size(), c.variants.size()) << what << ": shown, each value is drawn apart";
    }
    // Every field a level lets the referee hide has its case.
    for (const auto& [name, level] : {std::pair("Low", DetailLevel::Low), std::pair("Medium", DetailLevel::Medium),
                                      std::pair("High", DetailLevel::High)}) {
        for (const PlayerField field : PlayerFieldsOf(level)) {
            EXPECT_TRUE(covered.contains({name, field})) << name << " " << PlayerFieldName(field);
        }
    }
}

}  // namespace
}  // namespace nexmar
