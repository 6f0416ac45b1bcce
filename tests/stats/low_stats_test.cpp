#include <gtest/gtest.h>

#include <cmath>

#include "invariants/low_tables.h"
#include "stats/chi_square.h"

namespace nexmar::stats {
namespace {

using invariants::kLowClasses;
using invariants::kLowSpecials;

constexpr int kSystems = 100001;  // the first system's class is fixed, so 100,000 count

// Classes by two d6; each class's special by two d6 plus its modifier.
TEST(LowStats, ImportanceClassesAndTheirSpecialsFollowTheTables)
{
    std::map<std::string, long> classes;
    std::map<std::string, long> specials;
    RunSystems(DetailLevel::Low, false, kSystems, 20261207, [&](const ResultTree& tree, ItemId system, int index) {
        std::string lowClass;
        std::string special;
        for (const ItemId item : tree.at(system).children) {
            const std::string& text = tree.at(item).text;
            if (text.rfind("Base stats: ", 0) == 0) {
                lowClass = text.substr(12);
            } else if (text.find(':') == std::string::npos || text.rfind("Special: ", 0) == 0) {
                special = text;
            }
        }
        if (index > 0) {
            ++classes[lowClass];
            ++specials[lowClass + " with " + special];
        }
    });

    const Odds importance = TwoD6();
    std::map<std::string, double> classOdds;
    std::map<std::string, double> specialOdds;
    for (const invariants::LowClass& row : kLowClasses) {
        for (const auto& [total, p] : importance) {
            classOdds[row.text] += total >= row.lowest && total <= row.highest ? p : 0.0;
        }
        for (const auto& [total, p] : ShiftOdds(TwoD6(), row.modifier)) {
            for (const invariants::LowSpecial& special : kLowSpecials) {
                if (total >= special.lowest && total <= special.highest) {
                    specialOdds[std::string(row.text) + " with " + special.text] += p * classOdds[row.text];
                }
            }
        }
    }
    const Fit classFit = ChiSquare(classes, classOdds);
    EXPECT_GE(classFit.p, kFailBelow) << classFit.Describe();
    EXPECT_EQ(classFit.dof, 4);
    const Fit specialFit = ChiSquare(specials, specialOdds);
    EXPECT_GE(specialFit.p, kFailBelow) << specialFit.Describe();
    RecordProperty("classes", classFit.Describe());
    RecordProperty("specials", specialFit.Describe());
}

TEST(ChiSquare, SurvivalMatchesKnownQuantiles)
{
    EXPECT_NEAR(ChiSquareSurvival(3.841458820694124, 1), 0.05, 1e-9);
    EXPECT_NEAR(ChiSquareSurvival(18.307038053275146, 10), 0.05, 1e-9);
    EXPECT_NEAR(ChiSquareSurvival(6.0, 2), std::exp(-3.0), 1e-12);
    EXPECT_NEAR(ChiSquareSurvival(40.0, 4), std::exp(-20.0) * 21.0, 1e-15);
    // With an even number of degrees of freedom the survival is a finite sum.
    for (const double x : {5.0, 20.0, 67.6, 150.0}) {
        double term = std::exp(-x / 2);
        double sum = 0.0;
        for (int i = 0; i < 10; ++i) {
            sum += term;
            term *= x / 2 / (i + 1);
        }
        EXPECT_NEAR(ChiSquareSurvival(x, 20) / sum, 1.0, 1e-9) << x;
    }
}

TEST(ChiSquare, DiceOddsComeFromTheSourceBands)
{
    const Odds d10 = DieOdds(1, 10);
    EXPECT_EQ(d10.size(), 10u);
    EXPECT_NEAR(d10.at(1) * (32768 - 2979), 2979.0, 1e-9);
    EXPECT_NEAR(d10.at(10) * (32768 - 2979), 2978.0, 1e-9);
    EXPECT_NEAR(TwoD6().at(7), 6.0 / 36.0, 1e-12);
    EXPECT_NEAR(DieOdds(2, 12).at(7), DieOdds(2, 12).at(2), 1.0 / 2979);

    const Fit skewed = ChiSquare({{"a", 5200}, {"b", 4800}}, {{"a", 0.5}, {"b", 0.5}});
    EXPECT_LT(skewed.p, 1e-3);
    EXPECT_GT(ChiSquare({{"a", 5010}, {"b", 4990}}, {{"a", 0.5}, {"b", 0.5}}).p, 0.5);
    EXPECT_EQ(ChiSquare({{"a", 10}, {"c", 1}}, {{"a", 1.0}}).p, 0.0);
}

}  // namespace
}  // namespace nexmar::stats
