#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "map/run_places.h"
#include "query/system_query.h"

// Every allocation of this test program, counted, so a test can show that
// matching allocates nothing. The replacements pair malloc with free, which
// the compiler cannot see through the inlined standard containers.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace nexmar {
namespace {

constexpr int kSystemNumber = 42;

// Every field differs from every other, so a field that read another's
// member would be caught.
LowSystem LowRecord()
{
    return {.sizeClass = LowSizeClass::Colony, .importance = Importance::Major, .capacity = 3, .raw = 5,
            .special = "Special Resource", .census = CensusValues{7, 11, 13}};
}

MediumSystem MediumRecord()
{
    MediumSystem system;
    system.objects.push_back({.zone = OrbitZone::Inner, .type = MediumObjectType::Hostile, .value = std::nullopt,
                              .capacity = 0, .raw = 1, .special = "Special: None", .moons = {}, .census = {}});
    system.objects.push_back({.zone = OrbitZone::Habitable, .type = MediumObjectType::Terrestrial,
                              .value = ValueClass::Moderate, .capacity = 6, .raw = 4,
                              .special = "Special: Ruins of Ancient Civilization",
                              .moons = {"Accessible", "Near ideal"}, .census = CensusValues{2, 3, 9}});
    return system;
}

// Component A: a yellow dwarf and its Gaia World with two moons; component
// B: a close pair, a red supergiant and a white giant, with no objects.
HighSystem HighRecord()
{
    HighObject gaia{.zone = OrbitZone::Inner, .type = HighObjectType::Terrestrial, .size = HighObjectSize::Medium,
                    .capacity = 5, .raw = 2, .specialRoll = 11, .special = "Special: Gaia World/Splinter Colony",
                    .gaiaWorld = true, .census = CensusValues{1, 7, 8}, .moons = {{3, 1}, {0, 6}}};
    HighSystem system;
    system.components.push_back({'A', {{StarColour::Yellow, StarSize::MainSequence}}, {gaia}});
    system.components.push_back(
        {'B', {{StarColour::Red, StarSize::Supergiant}, {StarColour::White, StarSize::Giant}}, {}});
    return system;
}

// System 42 renamed, annotated and moved to 0304 by the referee; system 7
// renamed and moved two hexes from it.
const SectorEdits& Edits()
{
    static const SectorEdits edits = [] {
        SectorEdits made(7);
        SystemEdits system;
        system.name = "Port Velorin";
        system.notes = "Pirates in the belt";
        system.playerNotes = "Fuel at the outer moon";
        system.visibility = Visibility::Rumoured;
        system.hex = HexPlace{3, 4};
        made.Set(kSystemNumber, system);
        SystemEdits near;
        near.name = "Vessa Reach";
        near.hex = HexPlace{4, 5};
        made.Set(7, near);
        return made;
    }();
    return edits;
}

// The places of a run of 100 systems: three subsectors of one sector.
const SystemPlaces& Places()
{
    static const SystemPlaces places = RunPlaces(100, 7, Edits());
    return places;
}

bool Keeps(DetailLevel level, const std::string& text)
{
    SystemQueryParse parse = ParseSystemQuery(text, level);
    if (!parse.query) {
        ADD_FAILURE() << text << ": " << parse.error;
        return false;
    }
    parse.query->PlaceWith(&Places(), Edits());
    switch (level) {
    case DetailLevel::Low:
        return parse.query->Matches(kSystemNumber, LowRecord(), nullptr, &Edits());
    case DetailLevel::Medium:
        return parse.query->Matches(kSystemNumber, MediumRecord(), nullptr, &Edits());
    case DetailLevel::High:
        return parse.query->Matches(kSystemNumber, HighRecord(), nullptr, &Edits());
    }
    return false;
}

struct FieldCase {
    DetailLevel level;
    std::string field;  // as the query names it
    std::string holds;  // a query on the field that the record meets
    std::string fails;  // one on the same field that it does not
};

const FieldCase kFieldCases[] = {
    {DetailLevel::Low, "number", "number = 42", "number = 41"},
    {DetailLevel::Low, "name", "name ~ VELORIN", "name = Velorin"},
    {DetailLevel::Low, "notes", "notes ~ pirates", "notes ~ smugglers"},
    {DetailLevel::Low, "playerNotes", "playernotes ~ FUEL", "playerNotes ~ pirates"},
    {DetailLevel::Low, "visibility", "visibility = rumoured", "visibility != Rumoured"},
    {DetailLevel::Low, "hex", "hex = 0304", "hex = 0403"},
    {DetailLevel::Low, "sector", "sector = 1", "sector > 1"},
    {DetailLevel::Low, "subsector", "subsector = a", "subsector = B"},
    {DetailLevel::Low, "size", "size = Colony", "size = 'Major Colony'"},
    {DetailLevel::Low, "importance", "importance = major", "importance = Minor"},
    {DetailLevel::Low, "capacity", "capacity = 3", "capacity = 5"},
    {DetailLevel::Low, "raw", "raw = 5", "raw = 3"},
    {DetailLevel::Low, "census", "census = 7", "census = 11"},
    {DetailLevel::Low, "morale", "morale = 11", "morale = 13"},
    {DetailLevel::Low, "productivity", "productivity = 13", "productivity = 7"},
    {DetailLevel::Low, "special", "special ~ RESOURCE", "special ~ metals"},

    {DetailLevel::Medium, "system.number", "system.number = 42", "system.number = 2"},
    {DetailLevel::Medium, "system.name", "name = 'port velorin'", "system.name ~ 'port  '"},
    {DetailLevel::Medium, "system.notes", "notes ~ belt", "system.notes = pirates"},
    {DetailLevel::Medium, "system.playerNotes", "playerNotes ~ 'outer moon'", "system.playerNotes ~ belt"},
    {DetailLevel::Medium, "system.visibility", "system.visibility = Rumoured", "visibility = Secret"},
    {DetailLevel::Medium, "system.hex", "hex = 0304", "system.hex = 0305"},
    {DetailLevel::Medium, "system.sector", "system.sector = 1", "sector = 2"},
    {DetailLevel::Medium, "system.subsector", "system.subsector = A", "subsector != a"},
    {DetailLevel::Medium, "number", "number = 2", "number = 3"},
    {DetailLevel::Medium, "zone", "zone = Habitable", "zone = Outer"},
    {DetailLevel::Medium, "type", "type = terrestrial", "type = 'Gas Giant'"},
    {DetailLevel::Medium, "value", "value = Moderate", "value = 'N/A'"},
    {DetailLevel::Medium, "capacity", "capacity = 6", "capacity = 4"},
    {DetailLevel::Medium, "raw", "raw = 4", "raw = 6"},
    {DetailLevel::Medium, "census", "census = 2", "census = 3"},
    {DetailLevel::Medium, "morale", "morale = 3", "morale = 9"},
    {DetailLevel::Medium, "productivity", "productivity = 9", "productivity = 2"},
    {DetailLevel::Medium, "special", "special ~ ruins", "special ~ biosphere"},
    {DetailLevel::Medium, "moons", "moons = 2", "moons = 1"},
    {DetailLevel::Medium, "moon", "moon = 'near ideal'", "moon = Inaccessible"},

    {DetailLevel::High, "system.number", "system.number >= 42", "system.number < 42"},
    {DetailLevel::High, "system.name", "system.name ~ 't v'", "name ~ vela"},
    {DetailLevel::High, "system.notes", "notes = 'pirates in the belt'", "notes ~ 'the  belt'"},
    {DetailLevel::High, "system.playerNotes", "system.playernotes = 'fuel at the outer moon'", "playerNotes = fuel"},
    {DetailLevel::High, "system.visibility", "visibility = Rumoured", "visibility = Known"},
    {DetailLevel::High, "system.hex", "system.hex = 0304", "hex ~ 05"},
    {DetailLevel::High, "system.sector", "sector = 1", "system.sector != 1"},
    {DetailLevel::High, "system.subsector", "subsector = A", "system.subsector = P"},
    {DetailLevel::High, "component.letter", "component.letter = b", "component.letter = C"},
    {DetailLevel::High, "star.colour", "star.colour = red", "star.colour = Blue"},
    {DetailLevel::High, "star.size", "star.size = Supergiant", "star.size = 'Bright Giant'"},
    {DetailLevel::High, "star.spectralClass", "star.spectralClass = G", "star.spectralClass = K"},
    {DetailLevel::High, "star.luminosityClass", "star.luminosityClass = III", "star.luminosityClass = II"},
    // The description is read in pieces: a match may span several.
    {DetailLevel::High, "star.description", "star.description ~ 'e (g'", "star.description = 'Red Giant (MIII)'"},
    {DetailLevel::High, "number", "number = 1", "number = 2"},
    {DetailLevel::High, "zone", "zone = inner", "zone = Habitable"},
    {DetailLevel::High, "type", "type = Terrestrial", "type = Asteroid"},
    {DetailLevel::High, "size", "size = Medium", "size = Huge"},
    {DetailLevel::High, "capacity", "capacity = 5", "capacity = 2"},
    {DetailLevel::High, "raw", "raw = 2", "raw = 5"},
    {DetailLevel::High, "census", "census = 1", "census = 7"},
    {DetailLevel::High, "morale", "morale = 7", "morale = 8"},
    {DetailLevel::High, "productivity", "productivity = 8", "productivity = 1"},
    {DetailLevel::High, "specialRoll", "specialRoll = 11", "specialRoll = 5"},
    {DetailLevel::High, "special", "special ~ 'gaia world/'", "special ~ ruins"},
    {DetailLevel::High, "gaiaWorld", "gaiaWorld", "not gaia and number = 1"},
    {DetailLevel::High, "moons", "moons = 2", "moons = 3"},
    {DetailLevel::High, "moon.number", "moon.number = 2", "moon.number = 3"},
    {DetailLevel::High, "moon.capacity", "moon.capacity = 3", "moon.capacity = 1"},
    {DetailLevel::High, "moon.raw", "moon.raw = 6", "moon.raw = 3"},
};

TEST(SystemQuery, EveryFieldOfEveryLevelReadsItsOwnMember)
{
    for (const FieldCase& test : kFieldCases) {
        EXPECT_TRUE(Keeps(test.level, test.holds)) << test.holds;
        EXPECT_FALSE(Keeps(test.level, test.fails)) << test.fails;
    }
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        std::set<std::string> tested;
        for (const FieldCase& test : kFieldCases) {
            if (test.level == level) {
                tested.insert(test.field);
            }
        }
        for (const QueryField& field : QueryFields(level)) {
            EXPECT_TRUE(tested.contains(QueryFieldName(level, field)))
                << QueryFieldName(level, field) << " of " << DetailLevelName(level) << " has no case";
        }
    }
}

// Hexes from a system named, on the grid's one distance: 0304 to 0405 is two.
TEST(SystemQuery, ADistanceIsCountedFromTheSystemNamed)
{
    const struct {
        std::string query;
        bool keeps;
    } cases[] = {
        {"within 2 of \"Vessa Reach\"", true},
        {"within 1 of 'vessa reach'", false},
        {"within 0 of 'Port Velorin' and hex = 0304", true},
        {"not within 6 of Nowhere", true},
    };
    for (const auto& test : cases) {
        for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
            EXPECT_EQ(Keeps(level, test.query), test.keeps) << test.query;
        }
    }
    // Without the run's places no place is known.
    const SystemQueryParse parse = ParseSystemQuery("hex = 0304", DetailLevel::Low);
    EXPECT_FALSE(parse.query->Matches(kSystemNumber + 1, LowRecord(), nullptr, &Edits()));
}

struct KeepCase {
    DetailLevel level;
    std::string query;
    bool kept;
};

TEST(SystemQuery, ComparisonsConnectivesAndTheChoiceOfParts)
{
    const KeepCase cases[] = {
        // Numbers at their bounds.
        {DetailLevel::Low, "capacity < 3", false},
        {DetailLevel::Low, "capacity <= 3", true},
        {DetailLevel::Low, "capacity > 2", true},
        {DetailLevel::Low, "capacity >= 4", false},
        {DetailLevel::Low, "capacity != 3", false},
        {DetailLevel::Low, "raw>-1", true},
        // Texts whole or in part, letter case aside; a bare word or a quoted text.
        {DetailLevel::Low, "special = 'special resource'", true},
        {DetailLevel::Low, "special = Special", false},
        {DetailLevel::Low, "special != \"Special Resource\"", false},
        {DetailLevel::Low, "special ~ ''", true},
        // "and" binds tighter than "or"; "not" tighter than both; keywords in any case.
        {DetailLevel::Low, "capacity = 1 or capacity = 3 and raw = 5", true},
        {DetailLevel::Low, "(capacity = 1 or capacity = 3) and raw = 6", false},
        {DetailLevel::Low, "not capacity = 3 or raw = 5", true},
        {DetailLevel::Low, "not (capacity = 3 or raw = 9)", false},
        {DetailLevel::Low, "NOT Not capacity = 3 AND Raw = 5", true},
        {DetailLevel::Low, "system.capacity = 3", true},
        // The conditions of one query hold on one object and one moon.
        {DetailLevel::Medium, "type = Terrestrial and zone = Habitable", true},
        {DetailLevel::Medium, "type = Hostile and capacity = 6", false},
        {DetailLevel::Medium, "type = Hostile or capacity = 6", true},
        {DetailLevel::Medium, "object.type = Hostile and number = 1", true},
        {DetailLevel::Medium, "moon = Accessible and zone = Inner", false},
        {DetailLevel::Medium, "moon ~ access and moon ~ ideal", false},
        {DetailLevel::High, "moon.capacity = 3 and moon.raw = 6", false},
        {DetailLevel::High, "moon.number = 2 and moon.raw = 6 and gaia", true},
        // A missing census or value class fails every comparison, != too.
        {DetailLevel::Medium, "census != 2 and number = 1", false},
        {DetailLevel::Medium, "value != Moderate", false},
        {DetailLevel::Medium, "not value = Moderate", true},
        // A star and an object are chosen within one component; B has no
        // object, so its object's fields are absent there.
        {DetailLevel::High, "star.size = Supergiant and type = Terrestrial", false},
        {DetailLevel::High, "star.colour = Yellow and gaia", true},
        {DetailLevel::High, "star.size = Supergiant and not gaia", true},
        {DetailLevel::High, "star.size = Supergiant and component.letter = A", false},
        {DetailLevel::High, "star.colour = white and star.size = giant", true},
        {DetailLevel::High, "star.colour = red and star.size = giant", false},
    };
    for (const KeepCase& test : cases) {
        EXPECT_EQ(Keeps(test.level, test.query), test.kept) << test.query;
    }
}

// Texts are compared by the simple case folding of the Unicode data, not
// by ASCII alone.
TEST(SystemQuery, TextsIgnoreLetterCaseBeyondAscii)
{
    SectorEdits edits(7);
    SystemEdits system;
    system.name = "Éloïse";
    system.notes = "ΣΊΣΥΦΟΣ pushed the stone up the Straße";
    edits.Set(kSystemNumber, system);
    const KeepCase cases[] = {
        {DetailLevel::Low, "name ~ éloïse", true},
        {DetailLevel::Low, "name = ÉLOÏSE", true},
        {DetailLevel::Low, "name ~ eloise", false},  // folding keeps accents
        {DetailLevel::Low, "notes ~ σίσυφος", true},
        {DetailLevel::Low, "notes ~ 'STRASSE'", false},  // simple folding keeps ß
        {DetailLevel::Low, "notes ~ 'straẞe'", true},
    };
    for (const KeepCase& test : cases) {
        const SystemQueryParse parse = ParseSystemQuery(test.query, test.level);
        ASSERT_TRUE(parse.query) << test.query << ": " << parse.error;
        EXPECT_EQ(parse.query->Matches(kSystemNumber, LowRecord(), nullptr, &edits), test.kept) << test.query;
    }
}

struct BadQuery {
    DetailLevel level;
    std::string query;
    std::string error;
};

TEST(SystemQuery, ABadQueryIsOneLineNamingTheColumnOfTheFault)
{
    const BadQuery cases[] = {
        {DetailLevel::High, "", "column 1: expected a field"},
        {DetailLevel::Low, "within two of Vessa", "column 8: expected a number of hexes after 'within', not 'two'"},
        {DetailLevel::Low, "within 2 Vessa", "column 10: expected 'of' and a system's name after 'within 2', not 'Vessa'"},
        {DetailLevel::High, "capacity >=", "column 12: expected a value after '>=', not the end of the query"},
        {DetailLevel::High, "type = Gas Giant", "column 12: expected 'and', 'or' or the end of the query, not 'Giant'; a value of several words goes "
         "between quotes"},
        {DetailLevel::High, "capcity > 3", "column 1: 'capcity' is no field of High systems; did you mean capacity?"},
        {DetailLevel::Medium, "gaia and star.size = Giant", "column 1: 'gaia' is no field of Medium systems"},
        {DetailLevel::Low, "moons > 1", "column 1: 'moons' is no field of Low systems"},
        {DetailLevel::High, "gaia = true", "column 6: 'gaiaWorld' is yes or no: write it alone, or after 'not'"},
        {DetailLevel::High, "capacity",
         "column 9: expected = != < <= > >= or ~ after 'capacity', not the end of the query"},
        {DetailLevel::High, "capacity ~ 3", "column 10: '~' looks for a text, and 'capacity' is a number"},
        {DetailLevel::High, "type < Gas", "column 6: '<' compares numbers, and 'type' is a text"},
        {DetailLevel::High, "capacity >= eight",
         "column 13: expected a whole number after '>=', as 'capacity' is a number, not 'eight'"},
        {DetailLevel::High, "capacity >= \"8\"",
         "column 13: expected a whole number after '>=', as 'capacity' is a number, not \"8\""},
        {DetailLevel::High, "raw = 99999999999999999999", "column 7: '99999999999999999999' is out of range"},
        {DetailLevel::High, "special ~ \"Ruins", "column 11: the text opened here has no closing \""},
        {DetailLevel::High, "(gaia or capacity > 3",
         "column 22: expected ')' to close the '(' of column 1, not the end of the query"},
        {DetailLevel::High, "gaia)", "column 5: ')' closes no '('"},
        {DetailLevel::High, "gaia and", "column 9: expected a field"},
        {DetailLevel::High, "and gaia", "column 1: expected a field, not 'and'"},
        {DetailLevel::High, "= 3", "column 1: expected a field, not '='"},
        {DetailLevel::High, "gaia ! capacity", "column 6: '!' alone is no operator: write 'not' or '!='"},
        {DetailLevel::High, "type = or", "column 8: expected a value after '=', not 'or'"},
        {DetailLevel::High, "type = (Terrestrial)", "column 8: expected a value after '=', not '('"},
        // A value no table gives, with the name it most likely meant.
        {DetailLevel::High, "star.size = Supergiants",
         "column 13: Supergiants: no star size is named so; did you mean Supergiant?"},
        {DetailLevel::High, "type != 'gas gaint'", "column 9: gas gaint: no type is named so; did you mean Gas Giant?"},
        {DetailLevel::Medium, "zone = Middle", "column 8: Middle: no zone is named so"},
        {DetailLevel::Low, "importance = major or size = Outpost and size = Colonie",
         "column 49: Colonie: no size is named so; did you mean Colony?"},
        {DetailLevel::High, "star.colour = 'Red' and star.size = Super Giant",
         "column 43: expected 'and', 'or' or the end of the query, not 'Giant'; a value of several words goes "
         "between quotes"},
        // Text shown in a message keeps it to one line.
        {DetailLevel::High, "\"two\nlines\" = 1", "column 1: expected a field, not \"two\\x0alines\""},
        {DetailLevel::High, std::string(50, 'x'), "column 1: '" + std::string(40, 'x') + "...' is no field of High systems"},
        // Cut after 40 characters, not bytes, whatever bytes follow; a byte
        // of no character shown by its value.
        {DetailLevel::High, std::string(40, 'x') + std::string(100000, '\x80'),
         "column 1: '" + std::string(40, 'x') + "...' is no field of High systems"},
        {DetailLevel::High, "\xc3\xa4\x80\xff" + std::string(60, 'y'),
         "column 1: '\xc3\xa4\\x80\\xff" + std::string(37, 'y') + "...' is no field of High systems"},
        // Columns count characters, not bytes.
        {DetailLevel::High, "special ~ 'Äö' and capacity >",
         "column 30: expected a value after '>', not the end of the query"},
        {DetailLevel::High, std::string(101, '(') + "gaia" + std::string(101, ')'),
         "column 101: more than 100 levels of 'not' and parentheses"},
    };
    for (const BadQuery& test : cases) {
        const SystemQueryParse parse = ParseSystemQuery(test.query, test.level);
        EXPECT_FALSE(parse.query) << test.query;
        EXPECT_EQ(parse.error, test.error) << test.query;
    }
}

TEST(SystemQuery, NestingUpToTheLimitAndLongChainsAreRead)
{
    EXPECT_TRUE(Keeps(DetailLevel::High, std::string(100, '(') + "gaia" + std::string(100, ')')));
    std::string chain = "gaia";
    for (int i = 0; i < 20000; ++i) {
        chain += i % 2 ? " and moons = 2" : " and not capacity = 4";
    }
    EXPECT_TRUE(Keeps(DetailLevel::High, chain));
    // A prefix written a million times costs a loop, not a call per prefix.
    std::string prefixed;
    for (int i = 0; i < 1000000; ++i) {
        prefixed += "object.";
    }
    EXPECT_TRUE(ParseSystemQuery(prefixed + "gaia", DetailLevel::High).query);
}

TEST(SystemQuery, MatchingAllocatesNothing)
{
    const LowSystem low = LowRecord();
    const MediumSystem medium = MediumRecord();
    const HighSystem high = HighRecord();
    // A name of up to 15 letters is built without allocating.
    const auto lowQuery =
        ParseSystemQuery("special ~ resource and capacity > 1 and not notes ~ smugglers", DetailLevel::Low).query;
    const auto mediumQuery = ParseSystemQuery("moon ~ ideal and not census = 5 and name != x", DetailLevel::Medium).query;
    const auto highQuery =
        ParseSystemQuery("star.description ~ 'sequence (' and (gaia or moon.raw > 5)", DetailLevel::High).query;
    ASSERT_TRUE(lowQuery && mediumQuery && highQuery);
    const long before = allocations;
    int kept = 0;
    for (int number = 1; number <= 100; ++number) {
        kept += lowQuery->Matches(number, low, nullptr, &Edits()) + mediumQuery->Matches(number, medium, nullptr, &Edits()) +
                highQuery->Matches(number, high, nullptr, &Edits());
    }
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(kept, 300);
}

// docs/query.md lists every field of each level and no other, and each of
// its examples reads at the level it names.
TEST(SystemQuery, TheGuideNamesEveryFieldAndItsExamplesRead)
{
    std::ifstream guide(NEXMAR_QUERY_GUIDE);
    ASSERT_TRUE(guide) << NEXMAR_QUERY_GUIDE;
    std::map<DetailLevel, std::set<std::string>> documented;
    std::optional<DetailLevel> section;
    int examples = 0;
    std::string line;
    while (std::getline(guide, line)) {
        for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
            if (line == "### " + std::string(DetailLevelName(level)) + " systems") {
                section = level;
            }
        }
        if (!line.starts_with("| `")) {
            continue;
        }
        const std::size_t close = line.find('`', 3);
        const std::string code = line.substr(3, close - 3);
        if (section) {
            documented[*section].insert(code);
            continue;
        }
        const std::size_t levelStart = line.find("| ", close) + 2;
        const std::string levelName = line.substr(levelStart, line.find(' ', levelStart) - levelStart);
        for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
            if (levelName == DetailLevelName(level)) {
                EXPECT_TRUE(ParseSystemQuery(code, level).query) << code << ": " << ParseSystemQuery(code, level).error;
                ++examples;
            }
        }
    }
    EXPECT_GE(examples, 10);
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        std::set<std::string> fields;
        for (const QueryField& field : QueryFields(level)) {
            fields.insert(QueryFieldName(level, field));
        }
        EXPECT_EQ(documented[level], fields) << DetailLevelName(level);
    }
}

}  // namespace
}  // namespace nexmar
