#include <gtest/gtest.h>

#include <string_view>

#include "core/utf8.h"

namespace nexmar {
namespace {

// The edges of well-formed UTF-8, each byte sequence with the length of the
// character it opens (0: none).
TEST(Utf8Length, TakesWellFormedSequencesAndNothingElse)
{
    struct Case {
        std::string_view bytes;
        std::size_t length;
    };
    constexpr Case kCases[] = {
        {"A", 1},
        {"\x7F", 1},
        {"\x80", 0},                  // a byte that only continues
        {"\xC0\x80", 0},              // overlong
        {"\xC1\xBF", 0},              // overlong
        {"\xC2\x80", 2},
        {"\xDF\xBF", 2},
        {"\xC2" "A", 0},              // not continued
        {"\xE0\x9F\xBF", 0},          // overlong
        {"\xE0\xA0\x80", 3},
        {"\xE2\x82\xAC", 3},
        {"\xE2\x82", 0},              // cut short
        {"\xED\x9F\xBF", 3},
        {"\xED\xA0\x80", 0},          // a surrogate
        {"\xEF\xBF\xBF", 3},
        {"\xF0\x8F\xBF\xBF", 0},      // overlong
        {"\xF0\x90\x80\x80", 4},
        {"\xF4\x8F\xBF\xBF", 4},
        {"\xF4\x90\x80\x80", 0},      // beyond U+10FFFF
        {"\xF5\x80\x80\x80", 0},
        {"\xFF", 0},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(Utf8Length(c.bytes, 0), c.length) << testing::PrintToString(c.bytes);
    }
    // A sequence is measured where it starts, not from the text's start.
    EXPECT_EQ(Utf8Length("ab\xE2\x82\xAC", 2), 3u);
    EXPECT_EQ(Utf8Length("ab\xE2\x82", 2), 0u);
}

}  // namespace
}  // namespace nexmar
