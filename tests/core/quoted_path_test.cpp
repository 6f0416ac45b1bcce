#include <gtest/gtest.h>

#include <string>

#include "core/quoted_path.h"
#include "core/utf8.h"

namespace nexmar {
namespace {

bool IsUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

// A path is quoted whole up to the bound; past it, its start and its end
// (the file's name) are kept around "...", cut between characters.
TEST(QuotedPath, KeepsShortPathsWholeAndCutsLongOnesToTheBound)
{
    const std::string atBound(kLongestQuotedPath, 'a');
    const std::string name = "/TNXT001";
    struct Case {
        std::string path;
        std::string quoted;  // empty: cut, checked below
    };
    const Case cases[] = {
        {"", "''"},
        {"reports/TNXT001", "'reports/TNXT001'"},
        {atBound, "'" + atBound + "'"},
        {atBound + "b", ""},
        {std::string(4000, 'd') + name, ""},
        {std::string(4000, '\xC3') + name, ""},  // no character: cut anyway
    };
    for (const Case& c : cases) {
        const std::string quoted = QuotedPath(c.path);
        if (!c.quoted.empty()) {
            EXPECT_EQ(quoted, c.quoted);
            continue;
        }
        EXPECT_LE(quoted.size(), kLongestQuotedPath + 2) << c.path.size();
        EXPECT_EQ(quoted.front(), '\'');
        EXPECT_NE(quoted.find("..."), std::string::npos) << quoted;
        EXPECT_EQ(quoted.substr(1, 10), c.path.substr(0, 10));
        EXPECT_EQ(quoted.substr(quoted.size() - 10), c.path.substr(c.path.size() - 9) + "'");
    }
    // Characters of two, three and four bytes are never split, wherever the cuts fall.
    for (const std::string character : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8C\x8D"}) {
        for (std::size_t shift = 0; shift < 4; ++shift) {
            std::string path(shift, 'x');
            while (path.size() < 300) {
                path += character;
            }
            EXPECT_TRUE(IsUtf8(QuotedPath(path))) << shift << " " << QuotedPath(path);
        }
    }
}

}  // namespace
}  // namespace nexmar
