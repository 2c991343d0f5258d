// Line files on real files: the reading rules, the write-out rule, the states and failures.
#include "internal.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct LineFileTest : testing::Test {
    TempDir dir;
    LineFile file, other;

    // The layer chains open files; none may stay chained once the fixture is gone.
    void TearDown() override {
        clear_failure();
        for (LineFile* f : {&file, &other}) {
            if (f->state == FileState::reading || f->state == FileState::writing) close_file(*f);
            bind_name(*f, "");
        }
        clear_failure();
    }

    std::string path(const std::string& name) { return (dir / name).string(); }

    // Failure number of the last operations, cleared for the next ones.
    uint16_t failure() {
        uint16_t n = pending_failure();
        clear_failure();
        return n;
    }

    std::vector<std::string> read_all(const std::string& bytes) {
        // Windows refuses to rewrite a file that is still open for reading.
        if (file.state == FileState::reading) close_file(file);
        write_file(dir / "in.txt", bytes);
        bind_name(file, path("in.txt"));
        open_read(file);
        std::vector<std::string> lines;
        LineString line;
        while (!end_of_data(file)) {
            read_line(file, line);
            lines.emplace_back(view(line));
        }
        return lines;
    }
};

TEST_F(LineFileTest, ReadingRules) {
    std::string a255(255, 'a'), z243(243, 'z');
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"a\n\rb", {"a", "", "b"}},
        {"x\r\n", {"x"}},
        {"x\r\n\r\n", {"x", ""}},
        {"\r\r\n\n", {"", "", ""}},
        {std::string(300, 'b') + "\r\nx", {std::string(255, 'b'), "x"}},
        {a255 + "\r\nx", {a255, "x"}},
        {a255 + "x\ny", {a255, "y"}},
        {std::string(600, 'c') + "\ry", {std::string(255, 'c'), "y"}},
        {std::string(10, 'y') + "\r\n" + z243 + "\r\nw", {std::string(10, 'y'), z243, "w"}},
        {std::string(10, 'y') + "\r\n" + z243 + "\n\rw", {std::string(10, 'y'), z243, "", "w"}},
        {"ab\x1a"
         "cd\r\nef",
         {"ab"}},
        {"\x1a"
         "abc\r\n",
         {}},
        {"a\r\n\x1a\r\nb", {"a"}},
        {a255 + "\x1a"
                "more",
         {a255}},
        {std::string("\t\0\xff\x01", 4) + "\r\n", {std::string("\t\0\xff\x01", 4)}},
    };
    for (auto& c : cases) {
        EXPECT_EQ(read_all(c.bytes), c.lines) << dump(c.bytes);
        EXPECT_EQ(failure(), 0);
    }
}

TEST_F(LineFileTest, ReadingPastTheEndGivesEmptyLines) {
    for (std::string bytes : {"last", "ab\x1a"
                                      "cd\r\nef"}) {
        read_all(bytes);
        LineString line = line_string("junk");
        for (int i = 0; i < 3; i++) {
            read_line(file, line);
            EXPECT_EQ(length(line), 0);
            EXPECT_TRUE(end_of_data(file));
        }
        EXPECT_EQ(failure(), 0);
    }
}

TEST_F(LineFileTest, WriteOutRule) {
    bind_name(file, path("out.txt"));
    open_write(file);
    write_text(file, std::string(255, 'x'));
    write_byte(file, 'y');
    EXPECT_EQ(read_file(dir / "out.txt").size(), 0u) << "a full buffer waits for one more byte";
    write_byte(file, 'z');
    EXPECT_EQ(read_file(dir / "out.txt").size(), 256u);
    write_line_end(file);
    EXPECT_EQ(read_file(dir / "out.txt").size(), 256u) << "a line end sends nothing";
    write_text(file, std::string(600, 'w'));
    EXPECT_EQ(read_file(dir / "out.txt").size(), 768u);
    close_file(file);
    EXPECT_EQ(failure(), 0);
    EXPECT_EQ(read_file(dir / "out.txt"), std::string(255, 'x') + "yz\r\n" + std::string(600, 'w'));
}

TEST_F(LineFileTest, WritesAppendExactlyTheirBytes) {
    bind_name(file, path("out.txt"));
    open_write(file);
    write_text(file, line_string("ab"));
    write_number(file, -5);
    write_number(file, static_cast<int16_t>(-25536));
    write_byte(file, 0);
    write_text(file, "");
    write_line_end(file);
    finish_write(file);
    close_file(file);
    EXPECT_EQ(failure(), 0);
    EXPECT_EQ(read_file(dir / "out.txt"), std::string("ab-5-25536\0\r\n", 13));
}

TEST_F(LineFileTest, OpeningForWritingEmptiesAndReopeningStartsAgain) {
    write_file(dir / "f.txt", "old\r\ncontent\r\n");
    LineString line;
    bind_name(file, path("f.txt"));
    open_read(file);
    read_line(file, line);
    open_read(file);
    read_line(file, line);
    EXPECT_EQ(view(line), "old");
    open_write(file);
    EXPECT_EQ(read_file(dir / "f.txt"), "");
    close_file(file);
    EXPECT_EQ(failure(), 0);
}

TEST_F(LineFileTest, StateFailures) {
    LineString line = line_string("x");
    struct Case {
        const char* what;
        FileState state;
        void (*operation)(LineFile&, LineString&);
        uint16_t failure;
    } cases[] = {
        {"open unbound", FileState::unbound, [](LineFile& f, LineString&) { open_read(f); }, 102},
        {"open unbound", FileState::unbound, [](LineFile& f, LineString&) { open_write(f); }, 102},
        {"read closed", FileState::closed, [](LineFile& f, LineString& l) { read_line(f, l); },
         103},
        {"read unbound", FileState::unbound, [](LineFile& f, LineString& l) { read_line(f, l); },
         103},
        {"end closed", FileState::closed, [](LineFile& f, LineString&) { end_of_data(f); }, 103},
        {"write closed", FileState::closed, [](LineFile& f, LineString&) { write_byte(f, 'a'); },
         103},
        {"line end closed", FileState::closed, [](LineFile& f, LineString&) { write_line_end(f); },
         103},
        {"close closed", FileState::closed, [](LineFile& f, LineString&) { close_file(f); }, 103},
        {"close unbound", FileState::unbound, [](LineFile& f, LineString&) { close_file(f); }, 103},
        {"read writing", FileState::writing, [](LineFile& f, LineString& l) { read_line(f, l); },
         104},
        {"end writing", FileState::writing, [](LineFile& f, LineString&) { end_of_data(f); }, 104},
        {"write reading", FileState::reading, [](LineFile& f, LineString&) { write_text(f, "a"); },
         105},
        {"number reading", FileState::reading, [](LineFile& f, LineString&) { write_number(f, 1); },
         105},
        {"line end reading", FileState::reading,
         [](LineFile& f, LineString&) { write_line_end(f); }, 105},
    };
    write_file(dir / "f.txt", "data\r\n");
    for (auto& c : cases) {
        LineFile f;
        if (c.state != FileState::unbound) bind_name(f, path("f.txt"));
        if (c.state == FileState::reading) open_read(f);
        if (c.state == FileState::writing) open_write(f);
        ASSERT_EQ(failure(), 0) << c.what;
        line = line_string("x");
        c.operation(f, line);
        EXPECT_EQ(failure(), c.failure) << c.what;
        if (std::string(c.what).starts_with("read")) {
            EXPECT_EQ(length(line), 0) << c.what;
        }
        if (f.state == FileState::reading || f.state == FileState::writing) close_file(f);
        write_file(dir / "f.txt", "data\r\n");
    }
    EXPECT_TRUE(end_of_data(file)) << "end of data on a failure answers true";
    EXPECT_EQ(failure(), 103);
}

TEST_F(LineFileTest, APendingFailureStopsEveryOperation) {
    write_file(dir / "f.txt", "data\r\n");
    bind_name(file, path("f.txt"));
    open_read(file);
    set_failure(7);
    LineString line = line_string("x");
    read_line(file, line);
    EXPECT_EQ(length(line), 0);
    EXPECT_TRUE(end_of_data(file));
    close_file(file);
    EXPECT_EQ(file.state, FileState::reading);
    bind_name(other, path("g.txt"));
    open_write(other);
    EXPECT_EQ(other.state, FileState::closed);
    EXPECT_FALSE(fs::exists(dir / "g.txt"));
    EXPECT_EQ(failure(), 7);
    read_line(file, line);
    EXPECT_EQ(view(line), "data");
    close_file(file);
}

TEST_F(LineFileTest, OpeningFailures) {
    fs::create_directory(dir / "folder");
    write_file(dir / "ro.txt", "keep");
    fs::permissions(dir / "ro.txt", fs::perms::owner_read | fs::perms::group_read);
    struct Case {
        std::string name;
        bool for_writing;
        uint16_t failure;
    } cases[] = {
        {"missing.txt", false, 2},  {"nodir/x.txt", false, 3}, {"nodir/x.txt", true, 3},
        {"ro.txt/x.txt", false, 3}, {"folder", false, 5},      {"folder", true, 5},
        {"ro.txt", true, 5},
    };
    for (auto& c : cases) {
        if (c.name == "ro.txt" && !read_only_is_refused()) continue;
        bind_name(file, path(c.name));
        c.for_writing ? open_write(file) : open_read(file);
        EXPECT_EQ(failure(), c.failure) << c.name;
        EXPECT_EQ(file.state, FileState::closed) << c.name;
    }
    EXPECT_EQ(read_file(dir / "ro.txt"), "keep");
}

TEST_F(LineFileTest, OthersMayReadButNotWrite) {
    write_file(dir / "f.txt", "shared\r\n");
    bind_name(file, path("f.txt"));
    bind_name(other, path("f.txt"));

    open_read(file);
    open_read(other);
    EXPECT_EQ(failure(), 0) << "two readers";
    close_file(other);
    open_write(other);
    EXPECT_EQ(failure(), 5) << "writing a file being read";
    EXPECT_EQ(read_file(dir / "f.txt"), "shared\r\n") << "a held file is never emptied";
    close_file(file);

    open_write(file);
    open_read(other);
    EXPECT_EQ(failure(), 5) << "reading a file being written";
    open_write(other);
    EXPECT_EQ(failure(), 5) << "two writers";
    close_file(file);
    EXPECT_EQ(failure(), 0);
}

TEST_F(LineFileTest, ABackslashSeparatesFoldersLikeASlash) {
    fs::create_directory(dir / "sub");
    write_file(dir / "sub" / "f.txt", "via backslash\r\n");
    bind_name(file, dir.path.string() + "\\sub\\f.txt");
    open_read(file);
    LineString line;
    read_line(file, line);
    EXPECT_EQ(view(line), "via backslash");
    close_file(file);
    EXPECT_EQ(failure(), 0);
}

TEST_F(LineFileTest, AFullDeviceFailsTheWriteOut) {
    if (windows_build() || !fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    bind_name(file, "/dev/full");
    open_write(file);
    EXPECT_EQ(failure(), 0);
    write_text(file, "lost");
    close_file(file);
    EXPECT_EQ(failure(), 101);
    EXPECT_EQ(file.state, FileState::closed);
    EXPECT_EQ(file.position, 0);
}

TEST_F(LineFileTest, BindingAnOpenFileDropsIt) {
    bind_name(file, path("a.txt"));
    open_write(file);
    write_text(file, "never written");
    bind_name(file, path("b.txt"));
    EXPECT_EQ(file.state, FileState::closed);
    close_file(file);
    EXPECT_EQ(failure(), 103);
    write_out_all_open();
    EXPECT_EQ(read_file(dir / "a.txt"), "") << "a dropped file is no longer written out";
}
