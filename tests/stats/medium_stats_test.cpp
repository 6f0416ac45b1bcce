#include <gtest/gtest.h>

#include "invariants/medium_tables.h"
#include "stats/chi_square.h"

namespace nexmar::stats {
namespace {

using namespace invariants;

constexpr int kSystems = 100000;
const char* const kZones[] = {"", "Inner", "Habitable", "Outer"};

// A type as the tree tells it: its name, and for the valued kinds the
// mark that it has a value class (the Outer zone has a Hostile without one).
std::string TypeOf(const std::string& name, bool valued)
{
    return name + (valued ? "" : " (N/A)");
}

struct MediumTally {
    std::map<std::string, long> layouts;
    Groups typesByZone;
    Groups valuesByType;
    Groups specialsByType;
    std::map<std::string, long> moons;
};

MediumTally Tally()
{
    MediumTally tally;
    RunSystems(DetailLevel::Medium, false, kSystems, 31337, [&](const ResultTree& tree, ItemId system, int) {
        const auto& objects = tree.at(system).children;
        ++tally.layouts[std::to_string(objects.size())];
        for (const ItemId object : objects) {
            const TreeImage image = tree.at(object).image;
            const int zone = image == TreeImage::RedObject ? 1 : image == TreeImage::GreenObject ? 2 : 3;
            std::string base;
            std::string special;
            std::string moons;
            for (const ItemId line : tree.at(object).children) {
                const std::string& text = tree.at(line).text;
                if (text.rfind("Base stats: ", 0) == 0) {
                    base = text.substr(12);
                } else if (text.rfind("Special: ", 0) == 0) {
                    special = text;
                } else if (text.rfind("Moons: ", 0) == 0) {
                    moons = text;
                }
            }
            const std::size_t slash = base.rfind('/');
            const std::string value = base.substr(0, slash);
            const std::string type = base.substr(slash + 1);
            ++tally.typesByZone[kZones[zone]][TypeOf(type, value != "N/A")];
            if (value != "N/A") {
                ++tally.valuesByType[type][value];
                ++tally.specialsByType[type][special];
            }
            for (std::size_t at = moons.find(": ", 7); at != std::string::npos; at = moons.find("; ", at + 2)) {
                const std::size_t end = moons.find("; ", at + 2);
                ++tally.moons[moons.substr(at + 2, end == std::string::npos ? end : end - at - 2)];
            }
        }
    });
    return tally;
}

const char* TypeOfCode(int code)
{
    return code == 1 ? "Terrestrial" : code == 2 ? "Sub-Terrestrial" : "Hostile";
}

TEST(MediumStats, LayoutsTypesByZoneValueClassesSpecialsAndMoonsFollowTheTables)
{
    const MediumTally tally = Tally();

    std::map<std::string, double> layoutOdds;
    for (const auto& [total, p] : TwoD6()) {
        layoutOdds[std::to_string(kMediumObjectsByTotal[total])] += p;
    }
    GroupOdds typeOdds;
    for (int zone = 1; zone <= 3; ++zone) {
        for (const auto& [face, p] : DieOdds(1, 6)) {
            const MediumType& row = kMediumTypes[zone - 1][face - 1];
            typeOdds[kZones[zone]][TypeOf(row.name, row.code >= 1 && row.code <= 3)] += p;
        }
    }
    GroupOdds valueOdds;
    GroupOdds specialOdds;
    for (int code = 1; code <= 3; ++code) {
        for (const auto& [roll, p] : DieOdds(2, 12)) {
            valueOdds[TypeOfCode(code)][kMediumValues[kMediumValueByRoll[code - 1][roll - 2]].name] += p;
        }
        for (const auto& [total, p] : ShiftOdds(TwoD6(), -code)) {
            std::string text = "Special: None";
            for (const MediumSpecial& special : kMediumSpecials) {
                text = special.total == total ? special.text : text;
            }
            specialOdds[TypeOfCode(code)][text] += p;
        }
    }
    std::map<std::string, double> moonOdds;
    for (const auto& [total, p] : TwoD6()) {
        for (const MediumMoon& moon : kMediumMoons) {
            moonOdds[moon.text] += total >= moon.lowest && total <= moon.highest ? p : 0.0;
        }
    }

    const Fit layouts = ChiSquare(tally.layouts, layoutOdds);
    const Fit types = ChiSquareByGroup(tally.typesByZone, typeOdds);
    const Fit values = ChiSquareByGroup(tally.valuesByType, valueOdds);
    const Fit specials = ChiSquareByGroup(tally.specialsByType, specialOdds);
    const Fit moons = ChiSquare(tally.moons, moonOdds);
    EXPECT_GE(layouts.p, kFailBelow) << "layouts: " << layouts.Describe();
    EXPECT_GE(types.p, kFailBelow) << "types by zone: " << types.Describe();
    EXPECT_GE(values.p, kFailBelow) << "value classes by type: " << values.Describe();
    EXPECT_GE(specials.p, kFailBelow) << "specials by type: " << specials.Describe();
    EXPECT_GE(moons.p, kFailBelow) << "moons: " << moons.Describe();
    RecordProperty("layouts", layouts.Describe());
    RecordProperty("types", types.Describe());
    RecordProperty("values", values.Describe());
    RecordProperty("specials", specials.Describe());
    RecordProperty("moons", moons.Describe());
}

}  // namespace
}  // namespace nexmar::stats
