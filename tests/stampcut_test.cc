// stampcut run in fresh folders: the cut rule, line ends, and a missing list.
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

static std::string cut(const std::string& stamp_list) {
    TempDir dir;
    write_file(dir / "liste-s.txt", stamp_list);
    RunResult r = run_program("stampcut", {"ignored", "words"}, dir.path, Output::terminal);
    EXPECT_EQ(r.status, 0);
    expect_console(r, "", "stampcut shows nothing");
    EXPECT_EQ(r.err, "");
    return read_file(dir / "liste.txt");
}

TEST(Stampcut, CutRule) {
    struct Case {
        std::string line, written;
    } cases[] = {
        {"987::07 Song.mp3", "07 Song.mp3"},
        {"-654::a.mp3", "a.mp3"},
        {"::x.mp3", "x.mp3"},
        {"1::a::b.mp3", "a::b.mp3"},
        {"12:34::x.mp3", "x.mp3"},
        {"123::", ""},
        {"x.mp3", ".mp3"},
        {":", ""},
        {"", ""},
        {std::string(254, '1') + "::abc", std::string(253, '1') + ":"}, // "::" cut apart at 255
        {std::string(250, '1') + "::abcdefgh", "abc"},
    };
    for (auto& c : cases) EXPECT_EQ(dump(cut(c.line + "\r\n")), dump(c.written + "\r\n")) << c.line;
}

TEST(Stampcut, EveryLineEndsWithCrLf) {
    struct Case {
        std::string list, names;
    } cases[] = {
        {"", ""},
        {"1::a\n2::b\r3::c", crlf({"a", "b", "c"})},
        {"1::a\r\n\r\n2::b\r\n", crlf({"a", "", "b"})},
        {"1::a\r\n\x1a"
         "2::b\r\n",
         crlf({"a"})},
        {"1::a\r\n2::b\x1a", crlf({"a", "b"})},
        {"\x1a"
         "1::a\r\n",
         ""},
    };
    for (auto& c : cases) EXPECT_EQ(dump(cut(c.list)), dump(c.names)) << dump(c.list);
}

TEST(Stampcut, AMissingListLeavesTheNameListAlone) {
    TempDir dir;
    write_file(dir / "liste.txt", "old names");
    RunResult r = run_program("stampcut", {}, dir.path);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Runtime error 2 at $"), std::string::npos);
    EXPECT_EQ(read_file(dir / "liste.txt"), "old names");
}
