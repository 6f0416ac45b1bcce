// Each check of the reader that weighs one field against others, with a
// document that breaks that check alone and one a step inside it that
// passes: a check dropped or loosened lets the first through, a check made
// too strict refuses the second.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "json/json_import.h"
#include "support/test_support.h"
#include "support/json_document.h"

namespace nexmar {
namespace {

using nlohmann::ordered_json;

// A value put at a place of the document, written as JSON.
struct Put {
    std::string pointer;
    std::string value;
};

struct CrossFieldCheck {
    const char* name;
    DetailLevel level;
    bool census;
    int systems;
    std::uint32_t seed;
    std::vector<Put> breaks;
    std::string place;     // where the reader must say the fault is
    const char* expected;  // and part of what it says it expected there
    std::vector<Put> inside;
};

void PrintTo(const CrossFieldCheck& check, std::ostream* out)
{
    *out << check.name;
}

std::string Edited(const CrossFieldCheck& check, const std::vector<Put>& puts)
{
    ordered_json document = ordered_json::parse(testing::ExportedRun(check.level, check.census, check.systems, check.seed));
    for (const Put& put : puts) {
        document[ordered_json::json_pointer(put.pointer)] = ordered_json::parse(put.value);
    }
    return document.dump();
}

std::variant<LoadedRun, JsonReadError> Load(const std::string& text)
{
    std::istringstream in(text);
    return LoadJsonRun(in, 1000);
}

// The documents, as the rows edit them:
// Low seed 5: a Major Colony, a Major Colony of Expanded Population, and a
// Minor Colony of capacity 6 and RAW 3 rich in rare metals.
// Low census seed 4: a Major Colony of Expanded Population, 8/7/3.
// Medium seed 4: system 1 has 3 Inner, 2 Habitable and 2 Outer objects, the
// first an Inner Hostile of value Moderate, capacity 4, RAW 3, rich in rare
// metals, no moons; system 2 has 3 Inner, 2 Habitable and 2 Outer objects,
// its third an Inner Sub-Terrestrial of value None without moons.
// High seed 60: component A of a Blue B and a Blue A main-sequence star; its
// first object an Inner Tiny Hostile of capacity 3 and special roll 10, its
// second an Inner Sub-Terrestrial Gaia World (special roll 13), its third an
// Outer Asteroid, its fifth an Outer Sub-Terrestrial, its sixth an Outer
// Hostile whose first moon has capacity 1 and RAW 0.
std::string ThirdLowSystem(const char* key)
{
    return std::string("/systems/2/") + key;
}

std::string FirstMediumObject(const char* key)
{
    return std::string("/systems/0/objects/0/") + key;
}

std::string FirstStar(const char* key)
{
    return std::string("/systems/0/components/0/stars/0/") + key;
}

std::string FirstObject(const char* key)
{
    return std::string("/systems/0/components/0/objects/0/") + key;
}

std::string SecondObject(const char* key)
{
    return std::string("/systems/0/components/0/objects/1/") + key;
}

std::string ThirdObject(const char* key)
{
    return std::string("/systems/0/components/0/objects/2/") + key;
}

std::string FifthObject(const char* key)
{
    return std::string("/systems/0/components/0/objects/4/") + key;
}

std::string SixthObject(const char* key)
{
    return std::string("/systems/0/components/0/objects/5/") + key;
}

const CrossFieldCheck kChecks[] = {
    {"the first system a Major Colony", DetailLevel::Low, false, 3, 5, {{"/systems/0/size", R"j("Colony")j"}},
     "/systems/0/size", "as every run's first system is",
     // The second may be a Colony.
     {{"/systems/1/size", R"j("Colony")j"}, {"/systems/1/importance", R"j("Minor")j"}, {"/systems/1/capacity", "8"},
      {"/systems/1/raw", "2"}}},
    {"the importance of the size class", DetailLevel::Low, false, 3, 5, {{ThirdLowSystem("importance"), R"j("Major")j"}},
     ThirdLowSystem("importance"), R"j(expected "Minor")j",
     {{ThirdLowSystem("size"), R"j("Colony")j"}, {ThirdLowSystem("capacity"), "8"}}},
    {"the capacity of the size class and special", DetailLevel::Low, false, 3, 5, {{ThirdLowSystem("capacity"), "7"}},
     ThirdLowSystem("capacity"), "expected 6, found 7",
     {{ThirdLowSystem("special"), R"j("Special: Fair Biosphere (+1 Census, +2 Capacity)")j"}, {ThirdLowSystem("capacity"), "8"},
      {ThirdLowSystem("raw"), "2"}}},
    {"the RAW of the size class and special", DetailLevel::Low, false, 3, 5, {{ThirdLowSystem("raw"), "4"}}, ThirdLowSystem("raw"),
     "expected 3, found 4", {{ThirdLowSystem("special"), R"j("Special: Rich in Precious Metals")j"}, {ThirdLowSystem("raw"), "4"}}},
    {"a special the size class's dice reach", DetailLevel::Low, false, 3, 5,
     {{ThirdLowSystem("size"), R"j("Minor Outpost")j"}, {ThirdLowSystem("importance"), R"j("Unimportant")j"}, {ThirdLowSystem("capacity"), "2"},
      {ThirdLowSystem("raw"), "1"}, {ThirdLowSystem("special"), R"j("Special Resource")j"}},
     ThirdLowSystem("special"), R"j(expected one of "No special")j",
     // A Minor Colony's 12 reaches it.
     {{ThirdLowSystem("special"), R"j("Special Resource")j"}, {ThirdLowSystem("raw"), "2"}}},
    {"the census values of the size class and special", DetailLevel::Low, true, 1, 4,
     {{"/systems/0/morale", "6"}}, "/systems/0/morale", "expected 7, found 6",
     {{"/systems/0/special", R"j("Special: Expanded Industry (+2 Productivity)")j"}, {"/systems/0/census", "7"},
      {"/systems/0/morale", "6"}, {"/systems/0/productivity", "5"}}},
    // Zones may stay, as the first three objects' do.
    {"the zones in order", DetailLevel::Medium, false, 2, 4, {{"/systems/0/objects/4/zone", R"j("Inner")j"}},
     "/systems/0/objects/4/zone", "the zones in the order Inner, Habitable, Outer", {}},
    {"the objects by zone of a layout row", DetailLevel::Medium, false, 2, 4,
     {{"/systems/1/objects/2/zone", R"j("Habitable")j"}}, "/systems/1/objects",
     "as many objects in each zone as a row of the layout table gives", {}},
    {"the moons of a row of the zone and type", DetailLevel::Medium, false, 2, 4,
     {{FirstMediumObject("moons"), R"j(["Accessible", "Accessible"])j"}, {FirstMediumObject("capacity"), "6"}}, FirstMediumObject("type"),
     "a type that a row of the Inner zone gives with this value class, special and 2 moons",
     {{FirstMediumObject("moons"), R"j(["Accessible"])j"}, {FirstMediumObject("capacity"), "5"}}},
    {"the capacity of the rows and moons", DetailLevel::Medium, false, 2, 4, {{FirstMediumObject("capacity"), "5"}},
     FirstMediumObject("capacity"), "expected 4, found 5",
     {{FirstMediumObject("moons"), R"j(["Accessible"])j"}, {FirstMediumObject("capacity"), "5"}}},
    {"the spectral class of the colour", DetailLevel::High, false, 1, 60, {{FirstStar("spectralClass"), R"j("G")j"}},
     FirstStar("spectralClass"), R"j(expected one of "B", "A")j",
     {{FirstStar("spectralClass"), R"j("A")j"}, {FirstStar("description"), R"j("Blue Main Sequence (AV)")j"}}},
    {"the luminosity class of the size", DetailLevel::High, false, 1, 60, {{FirstStar("luminosityClass"), R"j("IV")j"}},
     FirstStar("luminosityClass"), R"j(expected "V")j",
     {{FirstStar("size"), R"j("Sub Giant")j"}, {FirstStar("luminosityClass"), R"j("IV")j"},
      {FirstStar("description"), R"j("Blue Sub Giant (BIV)")j"}}},
    {"the description of the star", DetailLevel::High, false, 1, 60,
     {{FirstStar("description"), R"j("Blue Main Sequence (AV)")j"}}, FirstStar("description"),
     R"j(expected "Blue Main Sequence (BV)")j",
     {{FirstStar("spectralClass"), R"j("A")j"}, {FirstStar("description"), R"j("Blue Main Sequence (AV)")j"}}},
    {"the special of the special roll", DetailLevel::High, false, 1, 60, {{FirstObject("special"), R"j("Special: Fair Climate")j"}},
     FirstObject("special"), R"j(expected "Special: Fair Biosphere/Ideal Climate")j",
     {{FirstObject("specialRoll"), "9"}, {FirstObject("special"), R"j("Special: Expanded Population/Fair Climate")j"},
      {FirstObject("capacity"), "2"}}},
    {"the capacity of the size, type and special", DetailLevel::High, false, 1, 60, {{FirstObject("capacity"), "4"}},
     FirstObject("capacity"), "expected 3, found 4",
     {{FirstObject("specialRoll"), "9"}, {FirstObject("special"), R"j("Special: Expanded Population/Fair Climate")j"},
      {FirstObject("capacity"), "2"}}},
    {"the RAW of the rows", DetailLevel::Medium, false, 2, 4, {{FirstMediumObject("raw"), "4"}}, FirstMediumObject("raw"),
     "expected 3, found 4", {{FirstMediumObject("special"), R"j("Special: None")j"}, {FirstMediumObject("raw"), "2"}}},
    // A Blue B star has no Habitable zone; a Blue A has.
    {"a zone the first star reaches", DetailLevel::High, false, 1, 60, {{ThirdObject("zone"), R"j("Habitable")j"}},
     ThirdObject("zone"), R"j(expected one of "Inner", "Outer")j",
     {{FirstStar("spectralClass"), R"j("A")j"}, {FirstStar("description"), R"j("Blue Main Sequence (AV)")j"},
      {ThirdObject("zone"), R"j("Habitable")j"}}},
    {"a type of the zone", DetailLevel::High, false, 1, 60, {{FifthObject("type"), R"j("Terrestrial")j"}},
     FifthObject("type"), R"j(expected one of "Asteroid", "Gas Giant", "Hostile", "Sub-Terrestrial")j",
     {{SecondObject("type"), R"j("Terrestrial")j"}}},
    {"a size of the type", DetailLevel::High, false, 1, 60, {{FirstObject("type"), R"j("Gas Giant")j"}},
     FirstObject("size"), R"j(expected one of "Small")j",
     {{FirstObject("type"), R"j("Gas Giant")j"}, {FirstObject("size"), R"j("Small")j"}, {FirstObject("capacity"), "4"}}},
    {"a special roll of the type", DetailLevel::High, false, 1, 60, {{FirstObject("specialRoll"), "13"}},
     FirstObject("specialRoll"), "expected an integer from 2 to 12, found 13",
     // A Sub-Terrestrial's dice reach 13.
     {{FirstObject("type"), R"j("Sub-Terrestrial")j"}, {FirstObject("specialRoll"), "13"},
      {FirstObject("special"), R"j("Special: Gaia World/Splinter Colony")j"}, {FirstObject("gaiaWorld"), "true"},
      {FirstObject("capacity"), "1"}}},
    {"as many moons as the zone and size allow", DetailLevel::High, false, 1, 60,
     {{FirstObject("moons"), R"j([{"number": 1, "capacity": 1, "raw": 0}, {"number": 2, "capacity": 1, "raw": 0}])j"}},
     FirstObject("moons"), "moons", {{FirstObject("moons"), R"j([{"number": 1, "capacity": 1, "raw": 0}])j"}}},
    {"a moon's RAW of a row with its capacity", DetailLevel::High, false, 1, 60,
     {{SixthObject("moons/0/raw"), "2"}}, SixthObject("moons/0/raw"), "expected an integer from 0 to 1, found 2",
     {{SixthObject("moons/0/capacity"), "2"}, {SixthObject("moons/0/raw"), "2"}}},
    {"no Gaia World but for special roll 13", DetailLevel::High, false, 1, 60, {{FirstObject("gaiaWorld"), "true"}},
     FirstObject("gaiaWorld"), "false for a special roll other than 13", {{SecondObject("gaiaWorld"), "true"}}},
    {"a Gaia World for special roll 13", DetailLevel::High, false, 1, 60, {{SecondObject("gaiaWorld"), "false"}},
     SecondObject("gaiaWorld"), "true for special roll 13", {{FirstObject("gaiaWorld"), "false"}}},
    {"a Gaia World true or false", DetailLevel::High, false, 1, 60, {{SecondObject("gaiaWorld"), R"j("true")j"}},
     SecondObject("gaiaWorld"), R"j(expected true or false, found "true")j", {{SecondObject("gaiaWorld"), "true"}}},
};

class JsonCrossField : public ::testing::TestWithParam<CrossFieldCheck> {};

TEST_P(JsonCrossField, RefusesTheDocumentThatBreaksItAndTakesOneAStepInside)
{
    const CrossFieldCheck& check = GetParam();
    const auto broken = Load(Edited(check, check.breaks));
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(broken)) << check.name << ": the broken document was accepted";
    const std::string& message = std::get<JsonReadError>(broken).message;
    EXPECT_THAT(message, ::testing::StartsWith(check.place + " (line "));
    EXPECT_THAT(message, ::testing::HasSubstr(check.expected));

    const std::string inside = Edited(check, check.inside);
    const auto read = Load(inside);
    EXPECT_TRUE(std::holds_alternative<LoadedRun>(read))
        << check.name << ": a document a step inside refused: "
        << (std::holds_alternative<JsonReadError>(read) ? std::get<JsonReadError>(read).message : "") << "\n"
        << inside;
}

INSTANTIATE_TEST_SUITE_P(Checks, JsonCrossField, ::testing::ValuesIn(kChecks), testing::ParamNamed());

}  // namespace
}  // namespace nexmar
