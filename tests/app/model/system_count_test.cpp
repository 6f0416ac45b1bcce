#include "model/system_count.h"

#include <gtest/gtest.h>

namespace nexmar {
namespace {

struct Case {
    const char* text;
    CountParse expected;
    int count;  // only for Ok
};

TEST(SystemCount, ReadsPlainCountsWithSurroundingBlanks)
{
    for (const Case& c : {Case{"1", CountParse::Ok, 1}, Case{"200", CountParse::Ok, 200},
                          Case{"  42\t", CountParse::Ok, 42}, Case{"007", CountParse::Ok, 7},
                          Case{"+5", CountParse::Ok, 5}, Case{" +200 ", CountParse::Ok, 200}}) {
        int count = -1;
        EXPECT_EQ(ParseSystemCount(c.text, count), c.expected) << c.text;
        EXPECT_EQ(count, c.count) << c.text;
    }
}

TEST(SystemCount, IntegersOutsideOneTo200AskForTheRange)
{
    for (const char* text : {"0", "201", "-5", "-0", "+0", "2147483648", "99999999999999999999"}) {
        int count = -1;
        EXPECT_EQ(ParseSystemCount(text, count), CountParse::OutOfRange) << text;
        EXPECT_EQ(count, -1) << text;
    }
    EXPECT_STREQ(SystemCountMessage(CountParse::OutOfRange), "Please enter an integer between 1 and 200.");
}

TEST(SystemCount, AnythingElseAsksForAnInteger)
{
    for (const char* text : {"", "   ", "abc", "12abc", "1.5", "1e2", "1 2", "-", "+", "+ 5", "++5", "+-5", "0x10", "５",
                             "1,000"}) {
        int count = -1;
        EXPECT_EQ(ParseSystemCount(text, count), CountParse::NotInteger) << text;
        EXPECT_EQ(count, -1) << text;
    }
    EXPECT_STREQ(SystemCountMessage(CountParse::NotInteger), "Please enter an integer.");
}

}  // namespace
}  // namespace nexmar
