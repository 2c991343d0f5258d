// What the tests share: fresh folders, whole files, readable dumps, and running the programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// A fresh empty folder, removed with everything in it at the end of the test.
struct TempDir {
    fs::path path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    fs::path operator/(const std::string& name) const { return path / name; }
};

void write_file(const fs::path& file, const std::string& bytes);
std::string read_file(const fs::path& file);
// Writes a file whose name may hold folders, separated by backslashes, which are made first.
void write_file_in(const TempDir& dir, std::string name, const std::string& bytes);

// Bytes as C-style escapes, so that a mismatch shows CR, LF and other control bytes.
std::string dump(const std::string& bytes);

enum class Output { file, terminal };

struct RunResult {
    int status = -1;
    std::string out; // what reached standard output (a file, or a terminal in raw mode)
    std::string err;
    bool on_screen = false; // out is read back from a console window, one row per line
};

// Runs one of the built programs, which lie beside the test binary, in folder dir.
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const fs::path& dir, Output output = Output::file);

// The folder of the running test binary.
fs::path binary_dir();

// Sets a file's last-write time, given in seconds since 1970 UTC.
void set_write_time(const fs::path& file, long long utc_seconds);
// Sets the time zone the programs started afterwards work in, as a POSIX TZ value; false where
// a process cannot choose its own.
bool set_time_zone(const char* tz);
bool windows_build();
// Whether opening a read-only file for writing is refused here. Wine run as root lets it pass,
// as the system underneath does; Windows and the POSIX build refuse it.
bool read_only_is_refused();
// Runs renhlp-b.bat in dir with a real command processor (Wine's, on Linux); the status is
// no_command_processor where there is none.
constexpr int no_command_processor = -2;
RunResult run_batch_file(const fs::path& dir);
// Windows: runs a program with exactly this command line, its output into standard error.
RunResult run_raw(const fs::path& program, const std::string& raw_line, const fs::path& dir);
// Checks what a program showed on its console against the bytes a terminal would get: on a
// console window, against what those bytes show there.
void expect_console(const RunResult& r, const std::string& expected, const std::string& what);
// Seconds the local time of the current time zone is ahead of UTC now.
long utc_offset_now();
// Makes a named pipe; false where there are none.
bool make_fifo(const fs::path& file);
