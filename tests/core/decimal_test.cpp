#include "core/decimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace nexmar {
namespace {

constexpr std::uint64_t kSeedMax = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();

TEST(Decimal, ReadsBaseTenWithinTheRangeAndNothingElse)
{
    struct Case {
        const char* text;
        std::uint64_t low, high;
        DecimalParse expected;
        std::uint64_t value;  // only for Ok
    };
    const Case cases[] = {
        {"010", 0, kSeedMax, DecimalParse::Ok, 10},
        {"001000000", 1, 1000000, DecimalParse::Ok, 1000000},
        {"001000001", 1, 1000000, DecimalParse::OutOfRange, 0},
        {"+7", 1, 200, DecimalParse::Ok, 7},
        {"04294967295", 0, kSeedMax, DecimalParse::Ok, kSeedMax},
        {"4294967296", 0, kSeedMax, DecimalParse::OutOfRange, 0},
        {"0", 0, kSeedMax, DecimalParse::Ok, 0},
        {"-0", 0, kSeedMax, DecimalParse::OutOfRange, 0},
        {"-3", 0, kSeedMax, DecimalParse::OutOfRange, 0},
        // The largest number there is, and one past it, which must not wrap round.
        {"18446744073709551615", 0, kLargest, DecimalParse::Ok, kLargest},
        {"18446744073709551616", 0, kLargest, DecimalParse::OutOfRange, 0},
        {"184467440737095516160", 0, kLargest, DecimalParse::OutOfRange, 0},
        {"99999999999999999999x", 0, kLargest, DecimalParse::NotInteger, 0},
        {"", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"+", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"-", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"+-5", 0, kSeedMax, DecimalParse::NotInteger, 0},
        // A number pasted with blanks around it; never blanks inside.
        {" 5", 0, kSeedMax, DecimalParse::Ok, 5},
        {"\t+12 ", 0, kSeedMax, DecimalParse::Ok, 12},
        {"5 5", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"+ 5", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {" ", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"0x10", 0, kSeedMax, DecimalParse::NotInteger, 0},
        {"1e3", 0, kSeedMax, DecimalParse::NotInteger, 0},
    };
    for (const Case& c : cases) {
        std::uint64_t value = 12345;
        EXPECT_EQ(ParseDecimal(c.text, c.low, c.high, value), c.expected) << "'" << c.text << "'";
        EXPECT_EQ(value, c.expected == DecimalParse::Ok ? c.value : 12345) << "'" << c.text << "'";
    }
}

}  // namespace
}  // namespace nexmar
