// Folders, files and dumps for the tests.
#include "testkit.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

TempDir::TempDir() {
    static std::atomic<int> serial;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        path = fs::temp_directory_path() /
               ("renhlp-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        if (fs::create_directory(path)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Read-only files and folders the tests made must not keep the folder alive.
    for (auto& entry : fs::recursive_directory_iterator(path, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

void write_file(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void write_file_in(const TempDir& dir, std::string name, const std::string& bytes) {
    for (char& c : name)
        if (c == '\\') c = '/';
    fs::path file = dir / name;
    fs::create_directories(file.parent_path());
    write_file(file, bytes);
}

std::string dump(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void set_write_time(const fs::path& file, long long utc_seconds) {
    using namespace std::chrono;
    auto when = sys_seconds(seconds(utc_seconds));
    fs::last_write_time(file, file_clock::from_sys(when));
}

// What bytes sent to a terminal leave on a console window: the rows after the last clearing,
// without trailing blanks, the empty rows at the end left out. Lines here are short, so no row
// wraps.
static std::string shown_on_screen(std::string bytes) {
    const std::string clear = "\x1b[H\x1b[2J";
    size_t last_clear = bytes.rfind(clear);
    if (last_clear != std::string::npos) bytes.erase(0, last_clear + clear.size());
    std::string shown, pending;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find("\r\n", at);
        std::string row = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
        row.erase(row.find_last_not_of(' ') + 1);
        pending += row + "\r\n";
        if (!row.empty()) shown += pending, pending.clear();
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return shown;
}

void expect_console(const RunResult& r, const std::string& expected, const std::string& what) {
    if (r.on_screen) {
        EXPECT_EQ(dump(r.out), dump(shown_on_screen(expected))) << what;
    } else if (!windows_build()) {
        EXPECT_EQ(dump(r.out), dump(expected)) << what;
    }
    // A Windows run without a console to read back shows nothing that could be checked.
}
