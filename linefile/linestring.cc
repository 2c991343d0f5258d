// The string operations: equal, find, find byte, delete range, concatenate.
#include "linestring.h"

#include <algorithm>
#include <cstring>

LineString line_string(std::string_view s) {
    LineString r;
    r.len = static_cast<uint8_t>(std::min<size_t>(s.size(), LineString::capacity));
    std::memcpy(r.bytes, s.data(), r.len);
    return r;
}

std::string_view view(const LineString& s) {
    return {reinterpret_cast<const char*>(s.bytes), s.len};
}

bool equal(const LineString& a, const LineString& b) {
    return view(a) == view(b);
}

int find(const LineString& pattern, const LineString& text) {
    if (pattern.len == 0) return 0;
    size_t at = view(text).find(view(pattern));
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int find_byte(uint8_t c, const LineString& text) {
    const void* at = std::memchr(text.bytes, c, text.len);
    return at ? static_cast<int>(static_cast<const uint8_t*>(at) - text.bytes) + 1 : 0;
}

void delete_range(LineString& text, int start, int count) {
    int n = text.len;
    if (start < 1 || start > n || count < 1) return;
    count = std::min(count, n - start + 1);
    std::memmove(text.bytes + start - 1, text.bytes + start - 1 + count, n - start + 1 - count);
    text.len = static_cast<uint8_t>(n - count);
}

LineString concat(const LineString& a, const LineString& b) {
    LineString r = a;
    int taken = std::min<int>(b.len, LineString::capacity - a.len);
    std::memcpy(r.bytes + a.len, b.bytes, taken);
    r.len = static_cast<uint8_t>(a.len + taken);
    return r;
}
