#include <gtest/gtest.h>

#include "gen/high/star_tables.h"
#include "run/tree_renderer.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using enum StarColour;
using enum StarSize;
using testing::ScriptedDice;

std::string Designation(StarColour colour, StarSize size)
{
    return std::string(StarColourName(colour)) + " " + std::string(StarSizeName(size)) + " (" +
           std::string(SpectralLetter(colour)) + std::string(LuminosityNumeral(size)) + ")";
}

TEST(StarTables, RedTakesFourFacesOfTheColourDie)
{
    ScriptedDice dice({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    std::vector<int> colours;
    for (int face = 1; face <= 10; ++face) {
        colours.push_back(static_cast<int>(RollStarColour(dice)) + 1);
    }
    EXPECT_EQ(colours, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7, 7, 7}));
    EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>(10, {1, 10})));
}

TEST(StarTables, SizeClassByColourIsHeldBetweenSupergiantAndMainSequence)
{
    // The size class of each face 1 to 10, per colour.
    const std::vector<std::pair<StarColour, std::string>> rows{
        {ExtremelyHotBlue, "1111123455"}, {BlueB, "1112345555"},  {BlueA, "1234555555"}, {White, "1234555555"},
        {Yellow, "1234555555"},           {Orange, "1123455555"}, {Red, "1112345555"},
    };
    for (const auto& [colour, expected] : rows) {
        ScriptedDice dice({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        std::string classes;
        for (int face = 1; face <= 10; ++face) {
            classes += std::to_string(static_cast<int>(RollStarSize(dice, SizeRollModifier(colour))) + 1);
        }
        EXPECT_EQ(classes, expected) << "colour " << colour;
        EXPECT_TRUE(dice.AllUsed());
    }
}

TEST(StarTables, DesignationsOfTheTwoBluesAndTheRest)
{
    EXPECT_EQ(Designation(BlueB, BrightGiant), "Blue Bright Giant (BII)");
    EXPECT_EQ(Designation(BlueA, Giant), "Blue Giant (AIII)");
    EXPECT_EQ(StarImage(BlueB), StarImage(BlueA));
    EXPECT_EQ(Designation(Orange, SubGiant), "Orange Sub Giant (KIV)");
    EXPECT_EQ(StarImage(Orange), TreeImage::OrangeStar);
    EXPECT_EQ(Designation(White, MainSequence), "White Main Sequence (FV)");
    EXPECT_EQ(StarImage(White), TreeImage::WhiteStar);
    EXPECT_EQ(StarImage(Red), TreeImage::RedStar);
}

}  // namespace
}  // namespace nexmar
