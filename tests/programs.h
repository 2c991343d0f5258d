// Names and texts the program tests share.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

inline const std::string clear_screen = "\x1b[H\x1b[2J";
inline const std::string batch_header = "@echo off\r\nchcp 1250 >NULL\r\n";

// The lines, each ended with CR LF.
inline std::string crlf(std::initializer_list<std::string> lines) {
    std::string all;
    for (auto& l : lines) all += l + "\r\n";
    return all;
}

// The lines of bytes that each end with CR LF, without their CR LF; an unfinished last line
// is left out.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(bytes.substr(at, end - at));
    return lines;
}

// The name part of a stamp line.
inline std::string name_of(const std::string& line) {
    return line.substr(line.find("::") + 2);
}
