// The command-line split: no word keeps a double quote, words never hold more bytes than the
// line, and words quoted and joined again split into themselves.
#include "internal.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0')); // a command line ends at its first zero byte
    std::vector<std::string> words = split_command_line(line);
    size_t total = 0;
    std::string joined;
    for (auto& w : words) {
        if (w.find('"') != std::string::npos) std::abort();
        total += w.size();
        joined += "\"" + w + "\" ";
    }
    if (total > line.size()) std::abort();
    if (split_command_line(joined) != words) std::abort();
    return 0;
}
