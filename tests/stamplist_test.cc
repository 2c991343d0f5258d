// stamplist run in fresh folders: which entries are listed, the stamps, and liste.tmp.
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <sstream>

namespace {

struct Listing {
    RunResult run;
    std::vector<std::string> lines; // sorted, without their CR LF
};

Listing list(const TempDir& dir) {
    Listing l;
    l.run = run_program("stamplist", {"words", "are", "ignored"}, dir.path, Output::terminal);
    l.lines = crlf_lines(read_file(dir / "liste.tmp"));
    std::sort(l.lines.begin(), l.lines.end());
    return l;
}

long long stamp_of(const std::string& line) {
    return std::stoll(line.substr(0, line.find("::")));
}

std::string repeat(const std::string& s, size_t n) {
    std::string r;
    for (size_t i = 0; i < n; i++) r += s;
    return r;
}

} // namespace

TEST(Stamplist, NothingFoundLeavesAnEmptyListAndAQuietConsole) {
    TempDir dir;
    write_file(dir / "liste.tmp", "123::old.mp3\r\n");
    write_file(dir / "notes.txt", "");
    write_file(dir / "mp3", "");
    write_file(dir / "a.mp3.txt", "");
    Listing l = list(dir);
    EXPECT_EQ(l.run.status, 0);
    EXPECT_EQ(read_file(dir / "liste.tmp"), "");
    expect_console(l.run, "", "no clearing");
    EXPECT_EQ(l.run.err, "");
}

TEST(Stamplist, OneLineAndOneClearingPerFile) {
    TempDir dir;
    for (auto name : {"b.mp3", "a.mp3", "c.mp3"}) write_file(dir / name, name);
    Listing l = list(dir);
    EXPECT_EQ(l.run.status, 0);
    ASSERT_EQ(l.lines.size(), 3u);
    std::string all = read_file(dir / "liste.tmp");
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 3);
    expect_console(l.run, repeat(clear_screen, 3), "three clearings");
    for (auto& line : l.lines)
        EXPECT_EQ(std::to_string(stamp_of(line)) + "::" + name_of(line), line);
}

TEST(Stamplist, ListsVisibleMp3FilesOnly) {
    TempDir dir;
    std::vector<std::string> files{"a.mp3",       "U.MP3", "Mixed.Mp3", "r.mp3",
                                   ".hidden.mp3", "x.txt", "x.mp3.bak"};
    std::vector<std::string> expected{"Mixed.Mp3", "U.MP3", "a.mp3", "r.mp3"};
    if (!windows_build()) { // Windows names hold no colons
        files.push_back("a::b:c.mp3");
        expected.insert(expected.begin() + 3, "a::b:c.mp3");
    }
    for (auto& name : files) write_file(dir / name, name);
    fs::permissions(dir / "r.mp3",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(dir / "folder.mp3");
    Listing l = list(dir);
    std::vector<std::string> names;
    for (auto& line : l.lines) names.push_back(name_of(line));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
}

TEST(Stamplist, NoPipesSocketsOrDanglingLinks) {
    TempDir dir;
    if (!make_fifo(dir / "pipe.mp3")) GTEST_SKIP() << "no named pipes or links here";
    write_file(dir / "real.mp3", "");
    fs::create_symlink("missing-target", dir / "dangling.mp3");
    fs::create_symlink("real.mp3", dir / "link.mp3");
    Listing l = list(dir);
    std::vector<std::string> names;
    for (auto& line : l.lines) names.push_back(name_of(line));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"link.mp3", "real.mp3"}));
}

// 2024-03-15 13:45:30 UTC and the stamp of that time two hours later, local time in a zone two
// hours east of UTC.
constexpr long long march_2024 = 1710510330;
constexpr int32_t march_2024_plus_2h =
    (44 << 25) | (3 << 21) | (15 << 16) | (15 << 11) | (45 << 5) | 15;

TEST(Stamplist, StampsAreLocalTimesInTheDosLayout) {
    if (!set_time_zone("XST-2")) GTEST_SKIP() << "a Windows process keeps the system's time zone";
    TempDir dir;
    struct Case {
        const char* name;
        long long utc;
        long long stamp;
    } cases[] = {
        {"march.mp3", march_2024, march_2024_plus_2h},
        {"one second later.mp3", march_2024 + 1, march_2024_plus_2h}, // two-second resolution
        {"two seconds later.mp3", march_2024 + 2, march_2024_plus_2h + 1},
        {"2044.mp3", 2335219200 - 7200,
         static_cast<int32_t>(0x80210000u)},                         // 2044-01-01 00:00 local
        {"1975.mp3", 157766400, 0x00210000},                         // before 1980: its start
        {"2150.mp3", 5679792000, static_cast<int32_t>(0xFF9FBF7Du)}, // after 2107: its end
        {"1979 last second.mp3", 315532799 - 7200, 0x00210000},
    };
    for (auto& c : cases) {
        write_file(dir / c.name, "");
        set_write_time(dir / c.name, c.utc);
    }
    Listing l = list(dir);
    set_time_zone("UTC0");
    ASSERT_EQ(l.lines.size(), std::size(cases));
    for (auto& c : cases) {
        auto line = std::find_if(l.lines.begin(), l.lines.end(),
                                 [&](auto& x) { return name_of(x) == c.name; });
        ASSERT_NE(line, l.lines.end()) << c.name;
        EXPECT_EQ(stamp_of(*line), c.stamp) << c.name;
    }
}

// Like the Windows conversion, every file gets the offset in force when the list is made, not
// the one in force at its own time.
TEST(Stamplist, OneUtcOffsetForEveryFile) {
    const char* zone = "CET-1CEST,M3.5.0,M10.5.0/3";
    set_time_zone(zone);
    long offset_now = utc_offset_now();
    TempDir dir;
    const long long january = 1704110400, july = 1720008000; // 2024-01-01 and 2024-07-03, 12:00 UTC
    write_file(dir / "january.mp3", "");
    write_file(dir / "july.mp3", "");
    set_write_time(dir / "january.mp3", january);
    set_write_time(dir / "july.mp3", july);
    Listing l = list(dir);
    set_time_zone("UTC0");
    ASSERT_EQ(l.lines.size(), 2u);
    int hour = 12 + static_cast<int>(offset_now / 3600);
    EXPECT_EQ(stamp_of(l.lines[0]), (44 << 25) | (1 << 21) | (1 << 16) | (hour << 11))
        << l.lines[0];
    EXPECT_EQ(stamp_of(l.lines[1]), (44 << 25) | (7 << 21) | (3 << 16) | (hour << 11))
        << l.lines[1];
}

TEST(Stamplist, AReadOnlyListIsRefusedBeforeAnySearch) {
    if (!read_only_is_refused()) GTEST_SKIP() << "read-only files can be written here";
    TempDir dir;
    write_file(dir / "a.mp3", "");
    write_file(dir / "liste.tmp", "old");
    fs::permissions(dir / "liste.tmp", fs::perms::owner_read);
    Listing l = list(dir);
    EXPECT_EQ(l.run.status, 5);
    EXPECT_NE(l.run.err.find("Runtime error 5 at $"), std::string::npos);
    EXPECT_EQ(read_file(dir / "liste.tmp"), "old");
    expect_console(l.run, "", "no clearing");
}
