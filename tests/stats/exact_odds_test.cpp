// The exact odds the statistics fit counts against, checked against the
// suite's own copy of the tables (the one the invariants read) and the dice
// alone: a row of a generation table changed by one changes the generator
// and its odds together, so only an enumeration that reads neither can
// catch it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "gen/odds.h"
#include "invariants/high_tables.h"
#include "invariants/low_tables.h"
#include "invariants/medium_tables.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

namespace table = invariants;

// One rolled table: the dice it throws, and where each result lands, both
// worked out from the test's tables.
struct OddsOracle {
    const char* name;
    DetailLevel level;
    int table;  // index in TableOddsOf(level)
    // Calls add(group, outcome, chance) for every way the dice can fall.
    std::function<void(const std::function<void(int, int, double)>&)> enumerate;
};

void TwoD6(const std::function<void(int, double)>& visit)
{
    ForEachTwoD6(visit);
}

void D(int faces, const std::function<void(int, double)>& visit)
{
    ForEachFace(1, faces, visit);
}

int LowClassOf(int total)
{
    for (int row = 0; row < static_cast<int>(std::size(table::kLowClasses)); ++row) {
        if (total >= table::kLowClasses[row].lowest && total <= table::kLowClasses[row].highest) {
            return row;
        }
    }
    return -1;
}

int LowSpecialOf(int total)
{
    for (int row = 0; row < static_cast<int>(std::size(table::kLowSpecials)); ++row) {
        if (total >= table::kLowSpecials[row].lowest && total <= table::kLowSpecials[row].highest) {
            return row;
        }
    }
    return -1;
}

int MediumMoonOf(int total)
{
    for (int row = 0; row < static_cast<int>(std::size(table::kMediumMoons)); ++row) {
        if (total >= table::kMediumMoons[row].lowest && total <= table::kMediumMoons[row].highest) {
            return row;
        }
    }
    return -1;
}

// The outcome of a Medium type row: its type, or the Hostile without a value class.
int MediumTypeOf(const table::MediumType& row)
{
    if (row.code == 0 && std::strcmp(row.name, "Hostile") == 0) {
        return kMediumHostileWithoutValue;
    }
    for (int type = 0; type < kMediumHostileWithoutValue; ++type) {
        if (MediumObjectTypeName(static_cast<MediumObjectType>(type)) == row.name) {
            return type;
        }
    }
    return -1;
}

int StarColourOf(int face)
{
    for (int colour = 1; colour < static_cast<int>(std::size(table::kStarColours)); ++colour) {
        if (face >= table::kStarColours[colour].fewestFaces && face <= table::kStarColours[colour].mostFaces) {
            return colour - 1;
        }
    }
    return -1;
}

int HighSizeOf(int total)
{
    for (int size = 0; size < static_cast<int>(std::size(table::kHighSizes)); ++size) {
        if (total <= table::kHighSizes[size].upToTotal) {
            return size;
        }
    }
    return -1;
}

const OddsOracle kOracles[] = {
    {"Low size class", DetailLevel::Low, static_cast<int>(LowTable::SizeClass),
     [](const auto& add) { TwoD6([&](int total, double p) { add(0, LowClassOf(total), p); }); }},
    {"Low special", DetailLevel::Low, static_cast<int>(LowTable::Special),
     [](const auto& add) {
         for (int row = 0; row < static_cast<int>(std::size(table::kLowClasses)); ++row) {
             TwoD6([&](int total, double p) { add(row, LowSpecialOf(total + table::kLowClasses[row].modifier), p); });
         }
     }},
    {"Medium layout", DetailLevel::Medium, static_cast<int>(MediumTable::Layout),
     [](const auto& add) { TwoD6([&](int total, double p) { add(0, table::kMediumObjectsByTotal[total] - 1, p); }); }},
    {"Medium type", DetailLevel::Medium, static_cast<int>(MediumTable::Type),
     [](const auto& add) {
         for (int zone = 0; zone < 3; ++zone) {
             D(6, [&](int face, double p) { add(zone, MediumTypeOf(table::kMediumTypes[zone][face - 1]), p); });
         }
     }},
    {"Medium moon", DetailLevel::Medium, static_cast<int>(MediumTable::Moon),
     [](const auto& add) { TwoD6([&](int total, double p) { add(0, MediumMoonOf(total), p); }); }},
    {"High star colour", DetailLevel::High, static_cast<int>(HighTable::Colour),
     [](const auto& add) { D(10, [&](int face, double p) { add(0, StarColourOf(face), p); }); }},
    {"High object type", DetailLevel::High, static_cast<int>(HighTable::Type),
     [](const auto& add) {
         for (int zone = 0; zone < 3; ++zone) {
             D(10, [&](int face, double p) { add(zone, table::kHighTypeByFace[zone][face - 1], p); });
         }
     }},
    {"High object size", DetailLevel::High, static_cast<int>(HighTable::Size),
     [](const auto& add) {
         for (int type = 0; type < static_cast<int>(std::size(table::kHighTypes)); ++type) {
             const int bonus = type == table::GasGiant ? 2 : 0;
             D(10, [&](int face, double p) { add(type, HighSizeOf(face + bonus), p); });
         }
     }},
};

void PrintTo(const OddsOracle& oracle, std::ostream* out)
{
    *out << oracle.name;
}

class ExactOdds : public ::testing::TestWithParam<OddsOracle> {};

TEST_P(ExactOdds, MatchAnEnumerationOfTheDiceOverTheTestsOwnTables)
{
    const OddsOracle& oracle = GetParam();
    const TableOdds odds = TableOddsOf(oracle.level).at(static_cast<std::size_t>(oracle.table));
    std::vector<std::vector<double>> expected(odds.groups.size(), std::vector<double>(odds.outcomes.size(), 0.0));
    bool everyResultFound = true;
    oracle.enumerate([&](int group, int outcome, double p) {
        if (group < 0 || outcome < 0 || group >= static_cast<int>(expected.size()) ||
            outcome >= static_cast<int>(odds.outcomes.size())) {
            everyResultFound = false;
            return;
        }
        expected[static_cast<std::size_t>(group)][static_cast<std::size_t>(outcome)] += p;
    });
    ASSERT_TRUE(everyResultFound) << oracle.name << ": a roll fell outside the test's table";
    for (std::size_t group = 0; group < expected.size(); ++group) {
        for (std::size_t outcome = 0; outcome < odds.outcomes.size(); ++outcome) {
            EXPECT_NEAR(odds.odds[group][outcome], expected[group][outcome], 1e-12)
                << odds.name << ", given " << odds.groups[group] << ": " << odds.outcomes[outcome];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, ExactOdds, ::testing::ValuesIn(kOracles), testing::ParamNamed());

}  // namespace
}  // namespace nexmar
