// Names and texts the program tests share.
#pragma once

#include <initializer_list>
#include <string>

inline const std::string clear_screen = "\x1b[H\x1b[2J";
inline const std::string batch_header = "@echo off\r\nchcp 1250 >NULL\r\n";

// The lines, each ended with CR LF.
inline std::string crlf(std::initializer_list<std::string> lines) {
    std::string all;
    for (auto& l : lines) all += l + "\r\n";
    return all;
}
