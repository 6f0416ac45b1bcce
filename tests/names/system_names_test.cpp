#include "gen/names/system_names.h"
#include "gen/names/visibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace nexmar {
namespace {

// A name of at most twelve letters, letter case aside, as one number: names
// compare as their keys do.
std::uint64_t LetterKey(std::string_view name)
{
    EXPECT_LE(name.size(), 12u) << name;
    std::uint64_t key = 0;
    for (const char letter : name) {
        key = key * 32 + static_cast<std::uint64_t>(std::tolower(static_cast<unsigned char>(letter)) - 'a' + 1);
    }
    return key;
}

bool AllDistinct(std::vector<std::uint64_t> keys)
{
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end();
}

bool IsVowel(char letter)
{
    return std::string_view("aeiou").find(static_cast<char>(std::tolower(letter))) != std::string_view::npos;
}

// A capital, then small letters, never more than three consonants or two
// vowels in a row.
bool Pronounceable(std::string_view name)
{
    if (name.empty() || !std::isupper(static_cast<unsigned char>(name[0]))) {
        return false;
    }
    int consonants = 0;
    int vowels = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (at > 0 && !std::islower(static_cast<unsigned char>(name[at]))) {
            return false;
        }
        consonants = IsVowel(name[at]) ? 0 : consonants + 1;
        vowels = IsVowel(name[at]) ? vowels + 1 : 0;
        if (consonants > 3 || vowels > 2) {
            return false;
        }
    }
    return true;
}

TEST(SystemNames, EveryChoiceOfSyllablesSpellsItsOwnPronounceableName)
{
    ASSERT_GE(kDistinctNames, 1000000);
    std::vector<std::uint64_t> keys;
    keys.reserve(static_cast<std::size_t>(kDistinctNames));
    for (int index = 0; index < kDistinctNames; ++index) {
        const GeneratedName name = SpellName(static_cast<std::uint32_t>(index));
        ASSERT_TRUE(Pronounceable(name.view())) << name.view();
        keys.push_back(LetterKey(name.view()));
    }
    EXPECT_TRUE(AllDistinct(std::move(keys)));
}

TEST(SystemNames, AMillionSystemsOfOneRunAreNamedApart)
{
    const NameGenerator names(2026);
    std::vector<std::uint64_t> keys;
    for (int number = 1; number <= 1000000; ++number) {
        keys.push_back(LetterKey(names.Name(number).view()));
    }
    EXPECT_TRUE(AllDistinct(std::move(keys)));
}

TEST(SystemNames, TwoHundredSystemsAreNamedApartAndVariedForEverySeedTried)
{
    for (std::uint32_t seed = 0; seed < 2000; seed += 7) {
        const NameGenerator names(seed * 2654435761u);
        std::vector<std::uint64_t> keys;
        std::set<char> initials;
        std::set<std::size_t> lengths;
        for (int number = 1; number <= 200; ++number) {
            const GeneratedName name = names.Name(number);
            keys.push_back(LetterKey(name.view()));
            initials.insert(name.view()[0]);
            lengths.insert(name.view().size());
        }
        ASSERT_TRUE(AllDistinct(std::move(keys))) << "seed " << seed;
        EXPECT_GE(initials.size(), 15u) << "seed " << seed;
        EXPECT_GE(lengths.size(), 4u) << "seed " << seed;
    }
}

TEST(SystemNames, ASeedNamesItsSystemsAlikeEveryTime)
{
    struct Pinned {
        std::uint32_t seed;
        int number;
        std::string_view name;
    };
    const Pinned pinned[] = {
        {7, 1, "Hasvola"},          {7, 2, "Prargathea"}, {7, 200, "Garrotha"},
        {3141592653u, 1, "Ginsaphis"}, {0, 1000000, "Nasodun"},
    };
    for (const Pinned& each : pinned) {
        EXPECT_EQ(NameGenerator(each.seed).Name(each.number).view(), each.name)
            << "seed " << each.seed << ", system " << each.number;
    }
    const NameGenerator one(99);
    const NameGenerator other(100);
    int alike = 0;
    for (int number = 1; number <= 200; ++number) {
        EXPECT_EQ(one.Name(number).view(), NameGenerator(99).Name(number).view());
        alike += one.Name(number).view() == other.Name(number).view();
    }
    EXPECT_LE(alike, 1);
}

// The names of a long seed are keyed by all of its bits: a search of 2^32
// seeds over either of its halves does not find them.
TEST(SystemNames, ALongSeedNamesApartFromEitherOfItsHalves)
{
    const auto names = [](Seed seed) {
        const NameGenerator generator(seed);
        std::vector<std::string> spelled;
        for (int number = 1; number <= 30; ++number) {
            spelled.emplace_back(generator.Name(number).view());
        }
        return spelled;
    };
    for (const Seed seed : {Seed{1} << 32, Seed{0x0000000700000007}, Seed{0x0123456789abcdef}, ~Seed{0}}) {
        const std::vector<std::string> ours = names(seed);
        const std::vector<std::string> low = names(seed & 0xffffffffu);
        const std::vector<std::string> high = names(seed >> 32);
        int alike = 0;
        for (std::size_t at = 0; at < ours.size(); ++at) {
            alike += (ours[at] == low[at]) + (ours[at] == high[at]);
        }
        EXPECT_LE(alike, 1) << "seed " << seed;
    }
}

TEST(SystemNames, SystemsBeyondTheDistinctNamesRepeatThemWithALap)
{
    const NameGenerator names(11);
    const std::string first(names.Name(5).view());
    EXPECT_EQ(names.Name(5 + kDistinctNames).view(), first + " 2");
    EXPECT_EQ(names.Name(5 + 2 * kDistinctNames).view(), first + " 3");
}

// What a Rumoured system keeps from the players unless the referee chose,
// as the document's field names say it: its figures, special and moons,
// so that its name, stars, zones and the kinds of its bodies show. A Known
// or Secret system hides no field by default.
TEST(Visibility, ARumouredSystemHidesItsFiguresSpecialAndMoonsByDefault)
{
    const std::set<std::string> rumoured = {"value", "capacity", "raw", "census", "special", "moons"};
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        for (const PlayerField field : PlayerFieldsOf(level)) {
            const std::string name(PlayerFieldName(field));
            EXPECT_EQ(DefaultHiddenFields(Visibility::Rumoured).Has(field), rumoured.count(name) == 1) << name;
            EXPECT_FALSE(DefaultHiddenFields(Visibility::Known).Has(field)) << name;
            EXPECT_FALSE(DefaultHiddenFields(Visibility::Secret).Has(field)) << name;
        }
    }
}

}  // namespace
}  // namespace nexmar
