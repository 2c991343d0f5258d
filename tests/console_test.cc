// The console's byte rules: the terminal filter, and the cursor steps checked against a model
// of a screen buffer.
#include "console.h"

#include "testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static std::string filtered(const std::vector<std::string>& writes) {
    TerminalFilter f;
    std::string shown;
    for (auto& w : writes) {
        std::string out(w.size() + 4, '\0');
        int n =
            filter_for_terminal(f, reinterpret_cast<const uint8_t*>(w.data()),
                                static_cast<int>(w.size()), reinterpret_cast<uint8_t*>(out.data()));
        shown += out.substr(0, n);
    }
    return shown;
}

TEST(TerminalFilter, NoByteCanStartAControlSequence) {
    struct Case {
        std::string in, shown;
    } cases[] = {
        {"plain text 123", "plain text 123"},
        {"a\r\nb\bc", "a\r\nb\bc"},
        {"bell\a!", "bell!"},
        {"\x1b[2J", "?[2J"},
        {std::string("\0\t\x7f\x1f", 4), "????"},
        {"\xc3\xa4 \xe2\x82\xac \xf0\x9f\x8e\xb5", "\xc3\xa4 \xe2\x82\xac \xf0\x9f\x8e\xb5"},
        {"\xc2\x9b"
         "31m",
         "?31m"}, // a C1 control sequence introducer
        {"\xc2\x80\xc2\x9f\xc2\xa0", "??\xc2\xa0"},
        {"\x9b"
         "1m",
         "?1m"},         // a lone continuation byte
        {"\xc3(", "?("}, // a sequence cut short
        {"\xe2\x82(", "?"
                      "?("},
        {"\xc0\xaf", "??"},           // overlong
        {"\xe0\x80\xaf", "???"},      // overlong
        {"\xed\xa0\x80", "???"},      // a surrogate
        {"\xf4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xf5\xff\xfe", "???"},
        {"\xe4\xf6\xfc", "???"}, // code page 1252 umlauts are not UTF-8
    };
    for (auto& c : cases) EXPECT_EQ(filtered({c.in}), c.shown) << dump(c.in);
}

TEST(TerminalFilter, ASequenceSplitBetweenWritesStaysWhole) {
    EXPECT_EQ(filtered({"x\xe2", "\x82\xac", "y"}), "x\xe2\x82\xacy");
    EXPECT_EQ(filtered({"\xf0\x9f", "\x8e", "\xb5"}), "\xf0\x9f\x8e\xb5");
    EXPECT_EQ(filtered({"\xe2\x82", "\r\n"}), "??\r\n");
    EXPECT_EQ(filtered({"\xc2", "\x85"}), "?");
}

// A screen buffer of cells, with the window the console layer records at start.
struct Screen {
    std::vector<std::string> rows;
    ConsoleWindow window;

    Screen(int width, int height, ConsoleWindow w)
        : rows(height, std::string(width, '.')), window(w) {}

    void show(const std::string& text) {
        auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        int size = static_cast<int>(text.size());
        while (size > 0) {
            ConsoleAction a;
            int used = console_step(window, bytes, size, a);
            ASSERT_GT(used, 0);
            for (int i = 0; i < a.count; i++) rows[a.y][a.x + i] = static_cast<char>(a.bytes[i]);
            if (a.scroll) {
                for (int y = window.top; y < window.bottom; y++)
                    for (int x = window.left; x <= window.right; x++) rows[y][x] = rows[y + 1][x];
                for (int x = window.left; x <= window.right; x++) rows[window.bottom][x] = ' ';
            }
            bytes += used;
            size -= used;
        }
    }
};

TEST(ConsoleSteps, WrapScrollAndCursorBytes) {
    // A 4 by 3 window at columns 1 to 4, rows 1 to 3 of a 6 by 5 buffer.
    Screen s(6, 5, {1, 1, 4, 3, 1, 1});
    s.show("ab\rX\n");
    EXPECT_EQ(s.rows[1], ".Xb...");
    EXPECT_EQ(s.window.x, 2); // LF moves down only
    EXPECT_EQ(s.window.y, 2);

    s.show("\r\b\bcd\bE\a");
    EXPECT_EQ(s.rows[2], ".cE...") << "backspace stops at the left edge and erases nothing";
    EXPECT_EQ(s.window.x, 3);

    s.show("fghij"); // two cells left on this line, then wrap
    EXPECT_EQ(s.rows[2], ".cEfg.");
    EXPECT_EQ(s.rows[3], ".hij..");

    s.show("k\r\nli");
    // "k" filled the last column of the bottom line: the cursor went down and the window
    // scrolled; CR LF then scrolled it once more.
    EXPECT_EQ(s.rows[1], ".hijk.");
    EXPECT_EQ(s.rows[2], ".    .");
    EXPECT_EQ(s.rows[3], ".li  .");
    EXPECT_EQ(s.rows[0], "......") << "nothing outside the window moves";
    EXPECT_EQ(s.rows[4], "......");
    EXPECT_EQ(s.window.x, 3);
    EXPECT_EQ(s.window.y, 3);
}

TEST(ConsoleSteps, AFullLastLineScrollsOnce) {
    Screen s(3, 2, {0, 0, 2, 1, 0, 1});
    s.show("abc");
    EXPECT_EQ(s.rows[0], "abc");
    EXPECT_EQ(s.rows[1], "   ");
    EXPECT_EQ(s.window.x, 0);
    EXPECT_EQ(s.window.y, 1);
}
