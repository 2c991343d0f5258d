// The string operations: comparisons, searches, deletion and the 255-byte cut.
#include "linestring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

static LineString ls(const std::string& s) {
    return line_string(s);
}
static std::string str(const LineString& s) {
    return std::string(view(s));
}

TEST(Equal, ComparesLengthAndEveryByte) {
    EXPECT_TRUE(equal(ls(""), ls("")));
    EXPECT_TRUE(equal(ls("renumm"), ls("renumm")));
    EXPECT_FALSE(equal(ls("renumm"), ls("Renumm")));
    EXPECT_FALSE(equal(ls("move"), ls("move ")));
    EXPECT_TRUE(equal(ls(std::string("a\0b", 3)), ls(std::string("a\0b", 3))));
    EXPECT_FALSE(equal(ls(std::string("a\0b", 3)), ls(std::string("a\0c", 3))));
}

TEST(Find, GivesFirstPositionOrZero) {
    struct Case {
        const char* pattern;
        const char* text;
        int position;
    } cases[] = {
        {"", "", 0},          {"", "abc", 0},   {"abcd", "abc", 0}, {"abc", "abc", 1},
        {"::", "1::a::b", 2}, {"b", "abcb", 2}, {"x", "abc", 0},    {"renumm", "autorenumm", 5},
        {"cb", "abcb", 3},
    };
    for (auto& c : cases)
        EXPECT_EQ(find(ls(c.pattern), ls(c.text)), c.position) << c.pattern << " in " << c.text;
}

TEST(FindByte, GivesFirstPositionOrZero) {
    EXPECT_EQ(find_byte('\\', ls("")), 0);
    EXPECT_EQ(find_byte('\\', ls("a\\b\\c")), 2);
    EXPECT_EQ(find_byte('x', ls("abc")), 0);
    EXPECT_EQ(find_byte(0, ls(std::string("ab\0", 3))), 3);
}

TEST(DeleteRange, StaysInsideTheText) {
    struct Case {
        const char* text;
        int start, count;
        const char* result;
    } cases[] = {
        {"abcdef", 0, 2, "abcdef"},  {"abcdef", 7, 1, "abcdef"}, {"abcdef", 2, 0, "abcdef"},
        {"abcdef", 2, -1, "abcdef"}, {"abcdef", 1, 1, "bcdef"},  {"abcdef", 3, 2, "abef"},
        {"abcdef", 5, 99, "abcd"},   {"abcdef", 6, 1, "abcde"},  {"", 1, 1, ""},
        {"abc", -5, 3, "abc"},
    };
    for (auto& c : cases) {
        LineString s = ls(c.text);
        delete_range(s, c.start, c.count);
        EXPECT_EQ(str(s), c.result) << c.text << " " << c.start << " " << c.count;
    }
}

// A LineString followed by guard bytes that no operation may touch.
struct Guarded {
    LineString s;
    uint8_t guard[32];
    Guarded() { std::memset(guard, 0xA5, sizeof guard); }
    bool intact() const {
        for (uint8_t g : guard)
            if (g != 0xA5) return false;
        return true;
    }
};

TEST(Concat, CutsAt255AndKeepsTheFirstWhole) {
    Guarded g;
    g.s = concat(ls(std::string(200, 'a')), ls(std::string(200, 'b')));
    EXPECT_EQ(str(g.s), std::string(200, 'a') + std::string(55, 'b'));
    EXPECT_TRUE(g.intact());

    EXPECT_EQ(str(concat(ls("ab"), ls("cd"))), "abcd");
    EXPECT_EQ(str(concat(ls(""), ls(""))), "");
}

TEST(Concat, PrependingInPlaceDropsTheLastByte) {
    Guarded g;
    std::string full;
    for (int i = 0; i < 255; i++) full += static_cast<char>('a' + i % 26);
    g.s = ls(full);
    g.s = concat(ls("0"), g.s);
    EXPECT_EQ(str(g.s), "0" + full.substr(0, 254));
    for (int i = 0; i < 300; i++) g.s = concat(ls("0"), g.s);
    EXPECT_EQ(length(g.s), 255);
    EXPECT_EQ(str(g.s), std::string(255, '0'));
    EXPECT_TRUE(g.intact());
}

TEST(Concat, AppendingInPlaceToAFullTextChangesNothing) {
    Guarded g;
    g.s = ls(std::string(255, 'x'));
    g.s = concat(g.s, ls("y"));
    g.s = concat(g.s, g.s);
    EXPECT_EQ(str(g.s), std::string(255, 'x'));
    EXPECT_TRUE(g.intact());

    LineString s = ls("ab");
    s = concat(s, s);
    EXPECT_EQ(str(s), "abab");
}

TEST(LineStringFrom, CutsLongTextAndKeepsEveryByte) {
    Guarded g;
    g.s = ls(std::string(300, 'z'));
    EXPECT_EQ(length(g.s), 255);
    EXPECT_TRUE(g.intact());
    std::string all;
    for (int c = 0; c < 255; c++) all += static_cast<char>(c);
    EXPECT_EQ(str(ls(all)), all);
}
