// How the programs end after a failed file operation or a processor fault: the report on
// standard error, the exit status, and the files left as they must be.
#include "linefile.h"
#include "programs.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <regex>

static void expect_report(const std::string& err, int number) {
    std::regex report("Runtime error " + std::to_string(number) +
                      " at \\$([0-9A-F]{8})\r\n  \\$\\1\r\n  \\$[0-9A-F]{8}\r\n\r\n");
    EXPECT_TRUE(std::regex_match(err, report)) << dump(err);
}

TEST(FailureReport, AMissingListLeavesTheBatchFileAlone) {
    TempDir dir;
    write_file(dir / "renhlp-b.bat", "old batch");
    RunResult first = run_program("batchgen", {"renumm", "1", "3"}, dir.path, Output::terminal);
    EXPECT_EQ(first.status, 2);
    expect_report(first.err, 2);
    expect_console(first, clear_screen, "the report does not go to the console");
    EXPECT_EQ(read_file(dir / "renhlp-b.bat"), "old batch");
    RunResult second = run_program("batchgen", {"renumm", "1", "3"}, dir.path);
    EXPECT_EQ(second.err, first.err) << "the addresses are the same from run to run";
}

TEST(FailureReport, FailuresOfEachOpening) {
    struct Case {
        std::string what;
        std::vector<std::string> args;
        bool with_neu;
        bool read_only_batch;
        int status;
        std::string batch_after;
    } cases[] = {
        {"move-nn without neu.txt", {"move-nn", "1", "3"}, false, false, 2, ""},
        {"rename without neu.txt", {"rename"}, false, false, 2, ""},
        {"a read-only batch file", {"renumm", "1", "3"}, true, true, 5, "old batch"},
    };
    for (auto& c : cases) {
        if (c.read_only_batch && !read_only_is_refused()) continue;
        TempDir dir;
        write_file(dir / "liste.txt", "a.mp3\r\n");
        write_file(dir / "renhlp-b.bat", "old batch");
        if (c.with_neu) write_file(dir / "neu.txt", "b.mp3\r\n");
        if (c.read_only_batch) fs::permissions(dir / "renhlp-b.bat", fs::perms::owner_read);
        RunResult r = run_program("batchgen", c.args, dir.path);
        EXPECT_EQ(r.status, c.status) << c.what;
        expect_report(r.err, c.status);
        EXPECT_EQ(read_file(dir / "renhlp-b.bat"), c.batch_after) << c.what;
    }
}

TEST(FailureReport, AFileAnotherProgramHoldsIsRefused) {
    TempDir dir;
    write_file(dir / "liste.txt", "a.mp3\r\n");
    write_file(dir / "renhlp-b.bat", "old batch");
    LineFile held;
    bind_name(held, (dir / "renhlp-b.bat").string());
    open_read(held);
    RunResult r = run_program("batchgen", {"renumm", "1", "3"}, dir.path);
    EXPECT_EQ(r.status, 5);
    expect_report(r.err, 5);
    EXPECT_EQ(read_file(dir / "renhlp-b.bat"), "old batch") << "a held file is never emptied";
    close_file(held);

    bind_name(held, (dir / "liste.txt").string());
    open_write(held);
    r = run_program("batchgen", {"renumm", "1", "3"}, dir.path);
    EXPECT_EQ(r.status, 5) << "reading a file being written";
    close_file(held);
    EXPECT_EQ(pending_failure(), 0);
}

TEST(FailureReport, AFullDiskIs101) {
    if (windows_build() || !fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    write_file(dir / "liste.txt", "a.mp3\r\n");
    fs::create_symlink("/dev/full", dir / "renhlp-b.bat");
    RunResult r = run_program("batchgen", {"renumm", "1", "3"}, dir.path);
    EXPECT_EQ(r.status, 101);
    expect_report(r.err, 101);
}

TEST(FailureReport, ConsoleTextIntoAFileWritesNothing) {
    TempDir dir;
    write_file(dir / "liste.txt", "Song.mp3\r\n");
    RunResult r = run_program("batchgen", {"autorenumm", "3"}, dir.path, Output::file);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST(FailureReport, ProcessorFaults) {
    struct Case {
        std::string fault;
        int number;
    } cases[] = {{"divide", 200}, {"access", 216}, {"illegal", 217}};
    TempDir dir;
    for (auto& c : cases) {
        RunResult r = run_program("fault_probe", {c.fault}, dir.path);
        EXPECT_EQ(r.status, c.number) << c.fault;
        expect_report(r.err, c.number);
    }
    EXPECT_EQ(run_program("fault_probe", {"none"}, dir.path).status, 0);
}
