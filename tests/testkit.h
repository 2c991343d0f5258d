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
};

// Runs one of the built programs, which lie beside the test binary, in folder dir.
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const fs::path& dir, Output output = Output::file);

// The folder of the running test binary.
fs::path binary_dir();

// Sets a file's last-write time, given in seconds since 1970 UTC.
void set_write_time(const fs::path& file, long long utc_seconds);
// Sets the time zone the programs started afterwards work in, as a POSIX TZ value.
void set_time_zone(const char* tz);
// Seconds the local time of the current time zone is ahead of UTC now.
long utc_offset_now();
// Makes a named pipe; false where there are none.
bool make_fifo(const fs::path& file);
