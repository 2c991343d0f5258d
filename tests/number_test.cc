// Numbers to text and back: every base, sign and limit rule.
#include "linestring.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

static LineString ls(const std::string& s) {
    return line_string(s);
}

TEST(FormatDecimal, NoPaddingNoPlusSign) {
    struct Case {
        int32_t value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-1, "-1"},
        {7, "7"},
        {-25536, "-25536"},
        {2147483647, "2147483647"},
        {INT32_MIN, "-2147483648"},
        {1000, "1000"},
    };
    for (auto& c : cases) EXPECT_EQ(view(format_decimal(c.value)), c.text);
}

TEST(ParseNumber, ReadsEveryFormOrGivesZero) {
    struct Case {
        std::string text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"12", 12},
        {"+12", 12},
        {"-12", -12},
        {"007", 7},
        {"\t  12", 12},
        {"12 ", 0},
        {"- 12", 0},
        {"1 2", 0},
        {"1A", 0},
        {"$1F", 31},
        {"0x1F", 31},
        {"X1F", 31},
        {"x1f", 31},
        {"0X1f", 31},
        {"%101", 5},
        {"%102", 0},
        {"&17", 15},
        {"&8", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"-2147483648", INT32_MIN},
        {"-2147483649", 0},
        {"4294967296", 0},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$100000000", 0},
        {"-$1", -1},
        {"-$FFFFFFFF", 1},
        {"12.5", 0},
        {"1e3", 0},
        {"   ", 0},
        {"-", 0},
        {"+", 0},
        {"$", 0},
        {"0x", 0}, // a base mark alone
        {"-0x10", -16},
        {"0", 0},
        {"00", 0},
        {"++1", 0},
        {"+-1", 0},
        {std::string("12\0x", 4), 12}, // a zero byte ends the digits
        {std::string("\0", 1), 0},
        {std::string("$\0", 2), 0},
        {"9", 9},
    };
    for (auto& c : cases) EXPECT_EQ(parse_number(ls(c.text)), c.value) << "[" << c.text << "]";
}

TEST(ParseNumber16, KeepsTheLowSixteenBits) {
    EXPECT_EQ(parse_number16(ls("40000")), -25536);
    EXPECT_EQ(parse_number16(ls("-1")), -1);
    EXPECT_EQ(parse_number16(ls("-40000")), 25536);
    EXPECT_EQ(parse_number16(ls("32767")), 32767);
    EXPECT_EQ(parse_number16(ls("65536")), 0);
    EXPECT_EQ(parse_number16(ls("abc")), 0);
}
