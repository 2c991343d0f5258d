// Line reading from arbitrary bytes, against a reference that reads the whole data at once
// with no buffer: every line at most 255 bytes, never a byte 26, never more bytes than given.
#include "linefile.h"
#include "memory_platform.h"

#include <cstdlib>
#include <string>
#include <vector>

static std::vector<std::string> reference(const std::string& d) {
    std::vector<std::string> lines;
    size_t p = 0, n = d.size();
    auto at_end = [&] { return p >= n || d[p] == 26; };
    while (!at_end()) {
        std::string line;
        while (p < n && d[p] != 13 && d[p] != 10 && d[p] != 26 && line.size() < 255) line += d[p++];
        if (!at_end()) {
            for (;;) {
                char c = d[p++];
                if (c == 10 || at_end()) break;
                if (c == 13) {
                    if (d[p] == 10) p++;
                    break;
                }
            }
        }
        lines.push_back(line);
    }
    return lines;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    reset_memory_platform();
    memory_files["in.txt"] = bytes;
    LineFile f;
    bind_name(f, "in.txt");
    open_read(f);
    std::vector<std::string> lines;
    size_t total = 0;
    LineString line;
    while (!end_of_data(f)) {
        read_line(f, line);
        lines.emplace_back(view(line));
        total += length(line);
        if (length(line) > 255 || view(line).find('\x1a') != std::string_view::npos) std::abort();
        if (lines.size() > size + 1 || total > size) std::abort();
    }
    read_line(f, line);
    if (length(line) != 0 || pending_failure() != 0) std::abort();
    close_file(f);
    if (lines != reference(bytes)) std::abort();
    return 0;
}
