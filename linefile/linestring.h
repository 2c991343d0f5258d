// Short strings, numbers and command-line words: the value layer every program works with.
#pragma once

#include <cstdint>
#include <string_view>

// A byte string of at most 255 bytes, kept with its length. Any byte value is stored as it is;
// a result that would be longer keeps its first 255 bytes. Positions count from 1.
struct LineString {
    static constexpr int capacity = 255;
    uint8_t len = 0;
    uint8_t bytes[capacity];
};

// The first 255 bytes of s.
LineString line_string(std::string_view s);
// The bytes of s, valid as long as s is.
std::string_view view(const LineString& s);

inline int length(const LineString& s) {
    return s.len;
}
bool equal(const LineString& a, const LineString& b);
// Position of the first occurrence of pattern in text; 0 when not found or pattern is empty.
int find(const LineString& pattern, const LineString& text);
// Position of the first byte c in text, or 0.
int find_byte(uint8_t c, const LineString& text);
// Removes count bytes from position start on; a range outside the text changes nothing,
// a count past the end stops there.
void delete_range(LineString& text, int start, int count);
// a followed by b, cut at 255 bytes. The result may be stored back into either operand.
LineString concat(const LineString& a, const LineString& b);

LineString format_decimal(int32_t value);
// Decimal, $ x X 0x (hex), % (binary) or & (octal), with one sign and leading blanks or tabs;
// any text that is not a number gives 0.
int32_t parse_number(const LineString& text);
// The low 16 bits of parse_number, read as signed.
int16_t parse_number16(const LineString& text);

// Word n of the command line, cut to 255 bytes; word 0 is the program file's full name.
// A negative n or one past the last word gives the empty string.
LineString command_word(int n);
