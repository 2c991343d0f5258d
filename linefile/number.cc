// Numbers to and from decimal text.
#include "linestring.h"

LineString format_decimal(int32_t value) {
    // The magnitude is taken in the unsigned type, so the smallest value needs no special case.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : value;
    char digits[11];
    int n = 0;
    do {
        digits[sizeof digits - 1 - n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[sizeof digits - 1 - n++] = '-';
    return line_string({digits + sizeof digits - n, static_cast<size_t>(n)});
}

static int digit_value(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 99;
}

int32_t parse_number(const LineString& text) {
    const uint8_t* s = text.bytes;
    int n = text.len, p = 0;
    while (p < n && (s[p] == ' ' || s[p] == '\t')) p++;
    bool negative = false;
    if (p < n && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    uint32_t base = 10;
    if (p < n) {
        uint8_t c = s[p];
        if (c == '$' || c == 'X' || c == 'x') {
            base = 16, p++;
        } else if (c == '%') {
            base = 2, p++;
        } else if (c == '&') {
            base = 8, p++;
        } else if (c == '0' && p + 1 < n && (s[p + 1] == 'X' || s[p + 1] == 'x')) {
            base = 16, p += 2;
        }
    }
    if (p >= n) return 0;
    uint64_t limit = base != 10 ? 0xFFFFFFFFu : negative ? 2147483648u : 2147483647u;
    uint64_t value = 0;
    for (; p < n && s[p] != 0; p++) {
        uint32_t d = digit_value(s[p]);
        if (d >= base) return 0;
        value = value * base + d;
        if (value > limit) return 0;
    }
    uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

int16_t parse_number16(const LineString& text) {
    return static_cast<int16_t>(static_cast<uint16_t>(parse_number(text)));
}
