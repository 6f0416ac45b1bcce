#include <gtest/gtest.h>

#include "gen/high/object_tables.h"
#include "gen/high/star_tables.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using enum OrbitZone;
using enum HighObjectType;
using enum HighObjectSize;
using testing::ScriptedDice;

// Every value of a closed set, in order.
template <class Enum>
std::vector<Enum> AllOf(Enum last)
{
    std::vector<Enum> all;
    for (int i = 0; i <= static_cast<int>(last); ++i) {
        all.push_back(static_cast<Enum>(i));
    }
    return all;
}

const std::vector<int> kEveryFace{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// One letter per face: Asteroid, Gas giant, Hostile, Sub-Terrestrial, Terrestrial.
std::string TypesByFace(OrbitZone zone)
{
    ScriptedDice dice(kEveryFace);
    std::string letters;
    for (int face = 1; face <= 10; ++face) {
        letters += "AGHST"[static_cast<int>(RollObjectType(dice, zone))];
    }
    return letters;
}

template <class Roll>
std::string ValuesByFace(Roll roll)
{
    ScriptedDice dice(kEveryFace);
    std::string values;
    for (int face = 1; face <= 10; ++face) {
        values += std::to_string(static_cast<int>(roll(dice)));
    }
    EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>(10, {1, 10})));
    return values;
}

TEST(ObjectTables, TypeDependsOnTheZoneAndTheOuterZoneHasNoTerrestrial)
{
    EXPECT_EQ(TypesByFace(Inner), "AGGHHHHSST");
    EXPECT_EQ(TypesByFace(Habitable), "AGHHSSSTTT");
    EXPECT_EQ(TypesByFace(Outer), "AAGGGGGHHS");
}

TEST(ObjectTables, OnlyGasGiantsAreNeverTinyAndReachTheLargestHugeSizes)
{
    EXPECT_EQ(ValuesByFace([](Dice& d) { return RollObjectSize(d, Terrestrial); }), "0011222334");
    EXPECT_EQ(ValuesByFace([](Dice& d) { return RollObjectSize(d, GasGiant); }), "1122233456");
    const std::vector<std::pair<std::string, int>> sizes{{"Tiny", 1},  {"Small", 2}, {"Medium", 4}, {"Large", 5},
                                                         {"Huge", 6}, {"Huge", 7},  {"Huge", 8}};
    for (const HighObjectSize size : AllOf(HugeCapacity8)) {
        const auto& [name, capacity] = sizes[static_cast<std::size_t>(size)];
        EXPECT_EQ(HighObjectSizeName(size), name) << size;
        EXPECT_EQ(SizeCapacity(size), capacity) << size;
    }
}

TEST(ObjectTables, RawIsOneToThreeAndLowerForGasGiants)
{
    EXPECT_EQ(ValuesByFace([](Dice& d) { return RollRaw(d, Asteroid); }), "1111222333");
    EXPECT_EQ(ValuesByFace([](Dice& d) { return RollRaw(d, GasGiant); }), "1111112223");
}

TEST(ObjectTables, SpecialIsTwoSeparateD6PlusTheTypeModifier)
{
    const std::vector<std::pair<std::string, std::pair<int, int>>> ranges{
        {"Asteroid", {2, 12}},        {"Gas Giant", {1, 11}},   {"Hostile", {2, 12}},
        {"Sub-Terrestrial", {3, 13}}, {"Terrestrial", {4, 14}},
    };
    for (const HighObjectType objectType : AllOf(Terrestrial)) {
        ScriptedDice dice({1, 1, 6, 6});
        const auto& [name, range] = ranges[static_cast<std::size_t>(objectType)];
        EXPECT_EQ(HighObjectTypeName(objectType), name);
        EXPECT_EQ(RollSpecial(dice, objectType), range.first);
        EXPECT_EQ(RollSpecial(dice, objectType), range.second);
        EXPECT_EQ(dice.calls, (std::vector<std::pair<int, int>>(4, {1, 6})));
    }
}

TEST(ObjectTables, SpecialTextsAndTheirBonusesWithCensusOnAndOff)
{
    struct Row {
        int roll;
        const char* text;
        int capacityOff, rawOff, capacityOn, rawOn, census, morale, productivity;
    };
    const Row rows[] = {
        {0, "Special: None", 0, 0, 0, 0, 0, 0, 0},
        {1, "Special: None", 0, 0, 0, 0, 0, 0, 0},
        {2, "Special: Fair Government/Rich in Rare Metals", 0, 1, 0, 0, 0, 1, 0},
        {3, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
        {4, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
        {5, "Special: Rich in Rare Metals", 0, 1, 0, 1, 0, 0, 0},
        {6, "Special: Fair Climate", 1, 0, 1, 0, 0, 0, 0},
        {7, "Special: Expanded Industry/Fair Climate", 1, 0, 0, 0, 0, 0, 1},
        {8, "Special: Rich in Precious Metals", 0, 2, 0, 2, 0, 0, 0},
        {9, "Special: Expanded Population/Fair Climate", 1, 0, 0, 0, 1, 1, 0},
        {10, "Special: Fair Biosphere/Ideal Climate", 2, 0, 2, 0, 1, 0, 0},
        {11, "Special: Mature Industry/Ancient Ruins", 0, 0, 0, 0, 0, 0, 2},
        {12, "Special: Special Resource or +3 RAW (RAW bonus assumed)", 0, 3, 0, 3, 0, 0, 0},
        {13, "Special: Gaia World/Splinter Colony", 0, 0, 1, 0, 1, 1, 1},
        {14, "Special: Kill Jaskel for making a roll twice result", 0, 0, 0, 0, 0, 0, 0},
        {15, "Special: None", 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SpecialText(row.roll), row.text) << row.roll;
        EXPECT_EQ(SpecialCapacity(row.roll, 4, false), 4 + row.capacityOff) << row.roll;
        EXPECT_EQ(SpecialRaw(row.roll, 2, false), 2 + row.rawOff) << row.roll;
        EXPECT_EQ(SpecialCapacity(row.roll, 4, true), 4 + row.capacityOn) << row.roll;
        EXPECT_EQ(SpecialRaw(row.roll, 2, true), 2 + row.rawOn) << row.roll;
        EXPECT_EQ(SpecialCensus(row.roll, 3), 3 + row.census) << row.roll;
        EXPECT_EQ(SpecialMorale(row.roll, 2), 2 + row.morale) << row.roll;
        EXPECT_EQ(SpecialProductivity(row.roll, 1), 1 + row.productivity) << row.roll;
    }
}

// The text report is comma-separated without quoting, so no High-detail
// text may hold a comma; the HTML report does not escape its cells either.
TEST(HighTexts, NoneHoldsACommaOrMarkup)
{
    std::vector<std::string> texts;
    for (const StarColour colour : AllOf(StarColour::Red)) {
        texts.emplace_back(StarColourName(colour));
        texts.emplace_back(SpectralLetter(colour));
    }
    for (const StarSize size : AllOf(StarSize::MainSequence)) {
        texts.emplace_back(StarSizeName(size));
        texts.emplace_back(LuminosityNumeral(size));
    }
    for (const HighObjectType type : AllOf(Terrestrial)) {
        texts.emplace_back(HighObjectTypeName(type));
    }
    for (const HighObjectSize size : AllOf(HugeCapacity8)) {
        texts.emplace_back(HighObjectSizeName(size));
    }
    for (int roll = 1; roll <= 14; ++roll) {
        texts.emplace_back(SpecialText(roll));
    }
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find_first_of(",<&\"\n"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace nexmar
