// A platform backend that keeps files in memory and ends programs by throwing, so that the
// fuzz targets can run the layer, and a whole program, many times in one process.
#pragma once

#include <map>
#include <string>

// The files by name.
extern std::map<std::string, std::string> memory_files;
// What the console was sent.
extern std::string memory_console;

// Thrown where a program would end.
struct ProgramEnd {
    int status;
};

// Forgets every file and open handle.
void reset_memory_platform();
