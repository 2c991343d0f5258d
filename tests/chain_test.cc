// The whole chain on one folder: stamplist, the outside sort step, stampcut, batchgen.
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <algorithm>

// The user's sort step: the stamp list ordered by its stamps, as numbers.
static void sort_stamp_list(const TempDir& dir) {
    std::vector<std::string> lines = crlf_lines(read_file(dir / "liste.tmp"));
    std::stable_sort(lines.begin(), lines.end(),
                     [](auto& a, auto& b) { return std::stoll(a) < std::stoll(b); });
    std::string sorted;
    for (auto& l : lines) sorted += l + "\r\n";
    write_file(dir / "liste-s.txt", sorted);
}

TEST(Chain, NumbersTheFilesInTheOrderTheyWereWritten) {
    TempDir dir;
    struct File {
        const char* name;
        long long utc;
    } files[] = {
        {"03 - Third.mp3", 1710510000 + 600},
        {"Intro.mp3", 1710510000},
        {"10 Second 50%.MP3", 1710510000 + 300},
    };
    for (auto& f : files) {
        write_file(dir / f.name, f.name);
        set_write_time(dir / f.name, f.utc);
    }
    write_file(dir / "cover.jpg", "");

    EXPECT_EQ(run_program("stamplist", {}, dir.path).status, 0);
    sort_stamp_list(dir);
    EXPECT_EQ(run_program("stampcut", {}, dir.path).status, 0);
    EXPECT_EQ(dump(read_file(dir / "liste.txt")),
              dump(crlf({"Intro.mp3", "10 Second 50%.MP3", "03 - Third.mp3"})));
    EXPECT_EQ(run_program("batchgen", {"renumm", "1", "2"}, dir.path).status, 0);
    EXPECT_EQ(dump(read_file(dir / "renhlp-b.bat")),
              dump(batch_header + crlf({"ren \"Intro.mp3\" \"01 - Intro.mp3\"",
                                        "ren \"10 Second 50%%.MP3\" \"02 - Second 50%%.MP3\"",
                                        "ren \"03 - Third.mp3\" \"03 - Third.mp3\""})));
}
