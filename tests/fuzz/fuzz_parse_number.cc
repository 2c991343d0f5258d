// parse_number against a reference that judges the limit by comparing digit strings instead
// of by accumulating.
#include "linestring.h"

#include <cstdlib>
#include <string>

static int32_t reference(std::string s) {
    size_t p = s.find_first_not_of(" \t");
    if (p == std::string::npos) return 0;
    s.erase(0, p);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    int base = 10;
    std::string limit = negative ? "2147483648" : "2147483647";
    if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) {
        base = 16, s.erase(0, 2);
    } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
        base = 16, s.erase(0, 1);
    } else if (!s.empty() && s[0] == '%') {
        base = 2, s.erase(0, 1);
    } else if (!s.empty() && s[0] == '&') {
        base = 8, s.erase(0, 1);
    }
    if (s.empty()) return 0;
    if (base == 16) limit = "ffffffff";
    if (base == 8) limit = "37777777777";
    if (base == 2) limit = std::string(32, '1');
    s = s.substr(0, s.find('\0'));
    for (char& c : s) {
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 99;
        if (d >= base) return 0;
    }
    s.erase(0, std::min(s.find_first_not_of('0'), s.size()));
    if (s.size() > limit.size() || (s.size() == limit.size() && s > limit)) return 0;
    uint32_t value = s.empty() ? 0 : static_cast<uint32_t>(std::strtoull(s.c_str(), nullptr, base));
    return static_cast<int32_t>(negative ? 0u - value : value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    LineString s = line_string(text);
    int32_t expected = reference(std::string(view(s)));
    if (parse_number(s) != expected) std::abort();
    if (parse_number16(s) != static_cast<int16_t>(static_cast<uint16_t>(expected))) std::abort();
    return 0;
}
