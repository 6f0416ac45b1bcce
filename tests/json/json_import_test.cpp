#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <variant>

#include "json/json_import.h"
#include "support/json_document.h"
#include "support/test_support.h"

namespace nexmar {
namespace {

using testing::ExportedRun;

int LineOf(const std::string& text, std::size_t at)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

struct BadInput {
    const char* name;
    DetailLevel level;
    bool census;
    int systems;
    Seed seed;
    bool pretty;       // as python3 -m json.tool lays it out, a value a line
    const char* from;  // the first occurrence is replaced
    const char* to;
    const char* message;  // {line}: the line where to was put
    int maxSystems = 1000;
    bool wholeDocument = false;  // to replaces the whole document
};

// The documents: Low census seed 4 is one Major Colony with capacity 10, raw
// 3, census 8/7/3; Medium seed 4 opens with an Inner Hostile of value
// Moderate; High census seed 9 opens with a Yellow star and an Inner Tiny
// Hostile of special roll 4, and its second system's first moon is 1/0.
const BadInput kBadInputs[] = {
    {"a later format before anything else", DetailLevel::Low, true, 1, 4, false, "\"program\":\"nexmar-cli\",\"version\":\"1.0\",\"format\":3",
     "\"program\":\"other\",\"version\":\"1.0\",\"format\":4", "/format (line 1): expected an integer from 1 to 3, found 4"},
    {"a size the tables do not have", DetailLevel::Low, true, 1, 4, false, "\"Major Colony\"", "\"Mega Colony\"",
     "/systems/0/size (line 2): expected one of \"Minor Outpost\", \"Outpost\", \"Minor Colony\", \"Colony\", "
     "\"Major Colony\", found \"Mega Colony\""},
    {"a capacity beyond the tables", DetailLevel::Low, true, 1, 4, false, "\"capacity\":10", "\"capacity\":13",
     "/systems/0/capacity (line 2): expected 10, found 13"},
    {"a missing field", DetailLevel::Low, true, 1, 4, false, ",\"raw\":3", "",
     "/systems/0/raw (line 2): missing; expected this field in every such object"},
    {"an extra field", DetailLevel::Low, true, 1, 4, false, "\"raw\":3,", "\"raw\":3,\"colour\":1,",
     "/systems/0/colour (line 2): unexpected field; expected only number, size, importance, capacity, raw, special, "
     "census, morale, productivity"},
    {"census values without the census option", DetailLevel::Low, true, 1, 4, false, "\"census\":true",
     "\"census\":false",
     "/systems/0/census (line 2): unexpected field; expected only number, size, importance, capacity, raw, special"},
    {"a duplicate key", DetailLevel::Low, true, 1, 4, false, "\"raw\":3,", "\"raw\":3,\"raw\":3,",
     "/systems/0/raw (line 2): duplicate key \"raw\"; expected each key once in an object"},
    {"a number as text", DetailLevel::Low, true, 1, 4, false, "\"raw\":3", "\"raw\":\"3\"",
     "/systems/0/raw (line 2): expected 3, found \"3\""},
    // Low seed 5: a Major Colony, a Major Colony, a Minor Colony of RAW 3 rich in rare metals.
    {"an importance of another size class", DetailLevel::Low, false, 3, 5, false,
     "\"size\":\"Minor Colony\",\"importance\":\"Minor\"", "\"size\":\"Minor Outpost\",\"importance\":\"Major\"",
     "/systems/2/importance (line 4): expected \"Unimportant\", found \"Major\""},
    {"an Outpost's capacity beyond its row", DetailLevel::Low, false, 3, 5, false,
     "\"size\":\"Minor Colony\",\"importance\":\"Minor\",\"capacity\":6,\"raw\":3,\"special\":\"Special: Rich in Rare Metals\"",
     "\"size\":\"Outpost\",\"importance\":\"Unimportant\",\"capacity\":5,\"raw\":1,\"special\":\"No special\"",
     "/systems/2/capacity (line 4): expected 4, found 5"},
    {"a special out of reach of the size class", DetailLevel::Low, false, 3, 5, false,
     "\"size\":\"Minor Colony\",\"importance\":\"Minor\",\"capacity\":6,\"raw\":3,\"special\":\"Special: Rich in Rare Metals\"",
     "\"size\":\"Minor Outpost\",\"importance\":\"Unimportant\",\"capacity\":2,\"raw\":1,\"special\":\"Special Resource\"",
     "/systems/2/special (line 4): expected one of \"No special\", "},
    {"a first system other than a Major Colony", DetailLevel::Low, false, 3, 5, false, "\"size\":\"Major Colony\"",
     "\"size\":\"Outpost\"", "/systems/0/size (line 2): expected \"Major Colony\", as every run's first system is, found \"Outpost\""},
    {"a seed beyond 64 bits", DetailLevel::Low, true, 1, 4, false, "\"seed\":4", "\"seed\":18446744073709551616",
     "/seed (line 1): expected a seed: an integer from 0 to 18446744073709551615, as a number or a string of its "
     "digits, found 18446744073709551616"},
    {"a seed beyond 64 bits as a string", DetailLevel::Low, true, 1, 4, false, "\"seed\":4",
     "\"seed\":\"18446744073709551616\"", "/seed (line 1): expected a seed: "},
    {"a negative seed", DetailLevel::Low, true, 1, 4, false, "\"seed\":4", "\"seed\":-4",
     "/seed (line 1): expected a seed: "},
    {"a fractional seed", DetailLevel::Low, true, 1, 4, false, "\"seed\":4", "\"seed\":4.5",
     "/seed (line 1): expected a seed: "},
    {"a seed written with an exponent", DetailLevel::Low, true, 1, 4, false, "\"seed\":4", "\"seed\":4e0",
     "/seed (line 1): expected a seed: "},
    {"a seed as a string with a sign", DetailLevel::Low, true, 1, 4, false, "\"seed\":4", "\"seed\":\"+4\"",
     "/seed (line 1): expected a seed: "},
    {"a seed as a string with a leading zero", DetailLevel::Low, true, 1, 4, false, "\"seed\":4",
     "\"seed\":\"04\"", "/seed (line 1): expected a seed: "},
    {"a system out of its place", DetailLevel::Low, true, 1, 4, false, "\"number\":1,", "\"number\":2,",
     "/systems/0/number (line 2): expected 1, found 2"},
    {"cut short", DetailLevel::Low, true, 1, 4, false, "}\n]}\n", "}",
     "/systems/1 (line 2): expected ',' or ']', found the end of the file"},
    {"a line end inside a key", DetailLevel::Low, true, 1, 4, true, "\"raw\": 3,", "\"ra",
     "/systems/0 (line {line}): expected the text to end on its line, found a line end; write it as \\n"},
    {"systems before the level", DetailLevel::Low, true, 1, 4, false, "\"detail\":\"Low\",", "",
     "/detail (line 1): missing; expected before \"systems\""},
    {"the seed after the systems", DetailLevel::Low, false, 1, 4, false, "",
     "{\"program\":\"nexmar\",\"version\":\"1.0\",\"format\":1,\"detail\":\"Low\",\"census\":false,"
     "\"systemsRolled\":3,\"systems\":[],\"seed\":4}",
     "/seed (line 1): expected before \"systems\", which the export writes last", 1000, true},
    {"a fault deep in a system, named member by member", DetailLevel::High, true, 2, 9, false,
     "\"colour\":\"Yellow\",\"size\":", "\"colour\":\"Yellow\",\"size\"",
     "/systems/0/components/0/stars/0/size (line 2): expected ':'"},
    {"no systems", DetailLevel::Low, false, 1, 4, false, "[\n{\"number\":1,\"name\"", "[]]",
     "/systems (line 1): expected an array of at least one system, found []"},
    {"a moon the tables do not have", DetailLevel::Medium, false, 1, 4, false, "\"Accessible\"", "\"Reachable\"",
     "/systems/0/objects/1/moons/0 (line 2): expected one of \"Moon causes severe tidal forces\", "},
    {"a value class the Hostile column never gives", DetailLevel::Medium, false, 1, 4, false,
     "\"value\":\"Moderate\"", "\"value\":\"Very High\"",
     "/systems/0/objects/0/type (line 2): expected a type that a row of the Inner zone gives with this value class, "
     "special and "},
    {"zones out of order", DetailLevel::Medium, false, 1, 4, false, "\"zone\":\"Inner\"", "\"zone\":\"Outer\"",
     "/systems/0/objects/1/zone (line 2): expected the zones in the order Inner, Habitable, Outer, found \"Inner\""},
    {"a capacity its classes cannot give", DetailLevel::High, true, 2, 9, false, "\"capacity\":1,\"raw\":2",
     "\"capacity\":2,\"raw\":2", "/systems/0/components/0/objects/0/capacity (line 2): expected 1, found 2"},
    {"a special text of another roll", DetailLevel::High, true, 2, 9, false, "\"specialRoll\":4",
     "\"specialRoll\":6",
     "/systems/0/components/0/objects/0/special (line 2): expected \"Special: Fair Climate\", found \"Special: "
     "Rich in Rare Metals\""},
    {"a spectral class of another colour", DetailLevel::High, true, 2, 9, false, "\"spectralClass\":\"G\"",
     "\"spectralClass\":\"K\"", "/systems/0/components/0/stars/0/spectralClass (line 2): expected \"G\", found \"K\""},
    {"a fraction", DetailLevel::High, true, 2, 9, false, "\"raw\":2,", "\"raw\":2.0,",
     "/systems/0/components/0/objects/0/raw (line 2): expected an integer from 2 to 4, found 2.0"},
    {"a moon's RAW beyond the tables, last on its line", DetailLevel::High, true, 2, 9, true,
     "\"raw\": 0\n", "\"raw\": 7\n",
     "/systems/1/components/0/objects/0/moons/0/raw (line {line}): expected an integer from 0 to 1, found 7"},
    {"bytes after a NUL at the end", DetailLevel::Low, false, 1, 4, false, "]}\n", "]}\n<NUL>garbage{{{",
     "/ (line 4): expected nothing after the document's closing '}', found byte 0x00"},
    {"a second document after the first", DetailLevel::Low, false, 1, 4, false, "]}\n", "]}\n{}",
     "/ (line 4): expected nothing after the document's closing '}', found '{'"},
    {"a seed of minus zero", DetailLevel::Low, false, 1, 4, false, "\"seed\":4", "\"seed\":-0",
     "/seed (line 1): expected a seed: an integer from 0 to 18446744073709551615, as a number or a string of its "
     "digits, found -0"},
    {"a moon's RAW of minus zero", DetailLevel::High, true, 2, 9, false, "\"raw\":0}", "\"raw\":-0}",
     "/systems/1/components/0/objects/0/moons/0/raw (line 3): expected an integer from 0 to 1, found -0"},
    {"invalid UTF-8 in a text", DetailLevel::Low, false, 1, 4, false, "\"Major Colony\"", "\"Major \xC3\x28\"",
     "/systems/0/size (line 2): expected text in UTF-8, found '(' after byte 0xC3"},
    {"an overlong UTF-8 form in a key", DetailLevel::Low, false, 1, 4, false, "\"raw\"", "\"r\xC0\xAFw\"",
     "/systems/0 (line 2): expected text in UTF-8, found byte 0xC0"},
    {"a lone half of a surrogate pair", DetailLevel::Low, false, 1, 4, false, "\"Major Colony\"", "\"\\ud800x\"",
     "/systems/0/size (line 2): expected the second half of a \\u escape pair"},
    {"an empty file", DetailLevel::Low, false, 1, 4, false, "", "", "/ (line 1): not a JSON document: the file is empty",
     1000, true},
    {"a text file", DetailLevel::Low, false, 1, 4, false, "", "Program: nexmar\n",
     "/ (line 1): not a JSON document of a run; expected '{' at its start, found 'P'", 1000, true},
    // High seed 1: a pair A, a pair B and a single star C.
    {"a single star A before a pair B", DetailLevel::High, false, 1, 1, false,
     ",{\"colour\":\"Blue\",\"size\":\"Main Sequence\",\"spectralClass\":\"A\",\"luminosityClass\":\"V\","
     "\"description\":\"Blue Main Sequence (AV)\"}",
     "",
     "/systems/0/components/1/stars (line 2): expected stars by component as the star roll groups them, one of 1, 2, "
     "2+1, 2+2, 2+2+1, 2+2+2, found [{\"colour\":"},
    {"a single star B before a component C", DetailLevel::High, false, 1, 1, false,
     ",{\"colour\":\"Blue\",\"size\":\"Bright Giant\",\"spectralClass\":\"B\",\"luminosityClass\":\"II\","
     "\"description\":\"Blue Bright Giant (BII)\"}",
     "", "/systems/0/components/2/stars (line 2): expected stars by component as the star roll groups them"},
    {"more systems than allowed", DetailLevel::High, true, 2, 9, false, "", "",
     "/systems/1 (line 3): expected at most 1 systems", 1},
};

class JsonImportBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(JsonImportBadInput, GivesOneMessageNamingThePlaceAndTheExpectation)
{
    const BadInput& bad = GetParam();
    std::string document = ExportedRun(bad.level, bad.census, bad.systems, bad.seed);
    if (bad.pretty) {
        document = nlohmann::ordered_json::parse(document).dump(4) + "\n";
    }
    if (bad.wholeDocument) {
        document.clear();
    }
    const std::size_t at = document.find(bad.from);
    ASSERT_NE(at, std::string::npos) << document;
    document.replace(at, std::strlen(bad.from), bad.to);
    // A NUL cannot stand in a table's text.
    for (std::size_t nul = document.find("<NUL>"); nul != std::string::npos; nul = document.find("<NUL>")) {
        document.replace(nul, 5, 1, '\0');
    }
    std::string message = bad.message;
    if (const std::size_t line = message.find("{line}"); line != std::string::npos) {
        message.replace(line, 6, std::to_string(LineOf(document, at)));
    }

    std::istringstream in(document);
    const auto read = LoadJsonRun(in, bad.maxSystems);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(read)) << document;
    const JsonReadError& error = std::get<JsonReadError>(read);
    EXPECT_THAT(error.message, ::testing::StartsWith(message));
    EXPECT_EQ(error.message.find('\n'), std::string::npos);
    EXPECT_EQ(error.tooManySystems, bad.maxSystems == 1);
}

INSTANTIATE_TEST_SUITE_P(Table, JsonImportBadInput, ::testing::ValuesIn(kBadInputs), testing::ParamNamed());

// A megabyte of open brackets costs the reader no more than the nesting
// limit: one line, naming the place where the limit was passed.
TEST(JsonImport, RefusesNestingDeeperThanTheLimitInOneLine)
{
    const std::string document = "{\"format\":1,\"detail\":\"Low\",\"census\":false,\"systems\":[" +
                                 std::string(std::size_t{1} << 20, '[');
    std::istringstream in(document);
    const auto read = LoadJsonRun(in, 1000);
    ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
    std::string pointer = "/systems/0";
    for (int depth = 4; depth <= 65; ++depth) {
        pointer += "/0";
    }
    EXPECT_EQ(std::get<JsonReadError>(read).message, pointer + " (line 1): nested deeper than 64 levels");
}

// Low seed 5 cut as --where cuts it: the systems kept (0 a Major Colony, 1 a
// Major Colony, 2 a Minor Colony) under the numbers given, and the count of
// the run at its place in the head, or after the systems.
std::string Filtered(int rolled, const std::vector<std::pair<int, int>>& kept, bool rolledLast = false)
{
    const nlohmann::ordered_json whole = nlohmann::ordered_json::parse(ExportedRun(DetailLevel::Low, false, 3, 5));
    nlohmann::ordered_json filtered;
    for (const auto& [key, value] : whole.items()) {
        if (key == "systems" && !rolledLast) {
            filtered["systemsRolled"] = rolled;
        }
        filtered[key] = key == "systems" ? nlohmann::ordered_json::array() : value;
    }
    for (const auto& [system, number] : kept) {
        nlohmann::ordered_json renumbered = whole["systems"][system];
        renumbered["number"] = number;
        filtered["systems"].push_back(renumbered);
    }
    if (rolledLast) {
        filtered["systemsRolled"] = rolled;
    }
    return filtered.dump();
}

// A document that a query filtered keeps its systems under their numbers in
// the run: they rise within its count, and only a System 1 must be a Major
// Colony. There may be none.
TEST(JsonImport, AFilteredDocumentsNumbersRiseWithinItsRun)
{
    const struct {
        std::string document;
        std::vector<int> numbers;  // read, when accepted
        const char* message;       // the start of the refusal, when refused
    } cases[] = {
        {Filtered(9, {{0, 2}, {1, 5}, {2, 9}}), {2, 5, 9}, nullptr},
        {Filtered(9, {{2, 3}}), {3}, nullptr},
        {Filtered(9, {}), {}, nullptr},
        {Filtered(9, {{2, 1}}), {}, "/systems/0/size (line 1): expected \"Major Colony\", as every run's first"},
        {Filtered(9, {{0, 1}, {1, 4}, {2, 4}}), {}, "/systems/2/number (line 1): expected an integer from 5 to 9, found 4"},
        {Filtered(9, {{0, 1}, {1, 9}, {2, 10}}), {}, "/systems/2/number (line 1): expected no system after number 9"},
        {Filtered(9, {{0, 1}, {1, 2}}, true), {}, "/systemsRolled (line 1): expected before \"systems\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        std::istringstream in(c.document);
        const auto read = LoadJsonRun(in, 1000);
        if (c.message == nullptr) {
            ASSERT_TRUE(std::holds_alternative<LoadedRun>(read)) << std::get<JsonReadError>(read).message;
            EXPECT_EQ(std::get<LoadedRun>(read).numbers, c.numbers);
            EXPECT_EQ(std::get<LoadedRun>(read).summary.settings.systemsRolled, 9);
        } else {
            ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
            EXPECT_THAT(std::get<JsonReadError>(read).message, ::testing::StartsWith(c.message));
        }
    }
}

}  // namespace
}  // namespace nexmar
