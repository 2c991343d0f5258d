// Folders, files and dumps for the tests.
#include "testkit.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
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
