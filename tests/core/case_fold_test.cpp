#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/case_fold.h"
#include "core/folded_search.h"

namespace nexmar {
namespace {

struct Folding {
    const char* what;
    std::string_view text;
    std::string_view folded;
};

// The simple folding of the Unicode data, one character to one.
const Folding kFoldings[] = {
    {"ASCII", "Gas Giant 7, Type = \"X\"", "gas giant 7, type = \"x\""},
    {"Latin-1 accents", "ÉLOÏSE Ñandú ØRE", "éloïse ñandú øre"},
    {"Greek, final sigma folding as any sigma", "ΣΊΣΥΦΟΣ σίσυφος", "σίσυφοσ σίσυφοσ"},
    // Only the full folding makes "ß" "ss": one character stays one.
    {"German sharp s kept, its capital folded to it", "Straße STRAẞE", "straße straße"},
    {"Kelvin sign, three bytes folded to one", "\u212A", "k"},
    {"Turkic dotted I, folded by the full and Turkic rules alone", "\u0130stanbul", "\u0130stanbul"},
    {"Deseret, beyond the BMP", "\U00010400\U00010401", "\U00010428\U00010429"},
    // Cherokee's capitals came first: its small letters fold to them.
    {"Cherokee small letters to capitals", "\uAB70\u13A0\u13F8", "\u13A0\u13A0\u13F0"},
    // As the document reader judges them: each byte of no well-formed
    // sequence is a character of its own, kept as it is.
    {"a lead byte without its follower", "A\xC3(", "a\xC3("},
    {"an overlong form", "\xC0\xAF" "B", "\xC0\xAF" "b"},
    {"a surrogate", "\xED\xA0\x80" "C", "\xED\xA0\x80" "c"},
    {"a sequence cut at the end", "\xC3\x89\xE2\x82", "\xC3\xA9\xE2\x82"},
    {"a byte beyond U+10FFFF", "\xF5\x80" "D", "\xF5\x80" "d"},
};

TEST(CaseFold, FoldsAsTheUnicodeDataSays)
{
    for (const Folding& c : kFoldings) {
        EXPECT_EQ(FoldCase(c.text), c.folded) << c.what;
        EXPECT_EQ(FoldCase(c.folded), c.folded) << c.what << ": folding twice";
    }
}

struct SearchCase {
    const char* what;
    std::string_view needle;
    std::vector<std::string_view> pieces;
    bool found;
};

const SearchCase kSearches[] = {
    {"accents", "éloïse", {"Éloïse Reach"}, true},
    {"Greek", "σίσυφος", {"ΣΊΣΥΦΟΣ"}, true},
    {"no full folding", "ss", {"STRAẞE"}, false},
    {"across pieces", "A R", {"Vessa", " Reach"}, true},
    {"after a false start (the fallback)", "aab", {"aaab"}, true},
    {"a longer false start", "abcabd", {"abcabcabd"}, true},
    {"the needle longer than the text", "vessa reach", {"Vessa"}, false},
    {"an empty needle", "", {""}, true},
    {"a byte of no character finds itself", "\xC3(", {"x\xC3(y"}, true},
};

TEST(FoldedSearch, FindsLetterCaseAside)
{
    for (const SearchCase& c : kSearches) {
        EXPECT_EQ(FoldedSearch(c.needle).FoundIn(c.pieces), c.found) << c.what;
    }
}

TEST(FoldedSearch, EqualsTheWholeTextOnly)
{
    const std::string_view special[] = {"Special: ", "Ruins"};
    EXPECT_TRUE(FoldedSearch("SPECIAL: ruins").Equals(special));
    EXPECT_FALSE(FoldedSearch("special: ruin").Equals(special));
    EXPECT_FALSE(FoldedSearch("special: ruinss").Equals(special));
    const std::string_view kelvin[] = {"\u212A"};
    EXPECT_TRUE(FoldedSearch("k").Equals(kelvin));
}

// The one-pass search against searching the folded texts with std::string,
// over texts of few letters, where false starts abound. Fixed seed.
TEST(FoldedSearch, AgreesWithSearchingTheFoldedTexts)
{
    std::mt19937 random(40);
    const auto text = [&](std::size_t longest) {
        static constexpr std::string_view kLetters[] = {"a", "A", "b", "ς", "Σ"};
        std::string made;
        for (std::size_t n = random() % (longest + 1); n > 0; --n) {
            made += kLetters[random() % std::size(kLetters)];
        }
        return made;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string needle = text(6);
        const std::string haystack = text(24);
        const bool expected = FoldCase(haystack).find(FoldCase(needle)) != std::string::npos;
        ASSERT_EQ(FoldedSearch(needle).FoundIn(haystack), expected) << needle << " in " << haystack;
    }
}

}  // namespace
}  // namespace nexmar
