// The few services the layer needs from the operating system. One backend file per platform
// implements them (platform-posix.cc, platform-win32.cc); the build picks one. A service that
// fails sets the pending failure number itself, already mapped to the system's numbers.
#pragma once

#include "dirsearch.h"
#include "linestring.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr intptr_t no_handle = -1;

// Open an existing file for reading, or create or empty one for writing. Both let other
// programs read the file meanwhile but not write it. On failure: no_handle.
intptr_t platform_open_read(const LineString& name);
intptr_t platform_open_write(const LineString& name);
// Up to size bytes; 0 at the end of the file, and after a failed read.
int platform_read(intptr_t handle, uint8_t* buffer, int size);
// Hands over all size bytes, retrying partial writes; false when that did not happen.
bool platform_write(intptr_t handle, const uint8_t* bytes, int size);
void platform_close(intptr_t handle);
// Standard input, output and error as the process found them at start (0, 1, 2).
intptr_t platform_std_handle(int which);

// Records the console window at start; the other two do nothing when standard output is not a
// console, and never fail.
void platform_console_start();
void platform_console_write(const uint8_t* bytes, int size);
void platform_console_clear();

// Word 0 is the running program file's full name, then the command line's words in order.
std::vector<std::string> platform_command_words(int argc, char** argv);
// Processor faults end the program with the failure report.
void platform_install_fault_handler();
// A code address as an offset from the executable's load base, cut to 32 bits.
uint32_t platform_code_offset(const void* address);
[[noreturn]] void platform_exit(int status);

// Both give 0 and the entry, or the platform's error number for why there is none (Windows
// numbering: 18 no more files, 2 nothing matched). The handle stays valid until find_close.
uint16_t platform_find_first(const LineString& pattern, intptr_t& handle, FoundEntry& entry);
uint16_t platform_find_next(intptr_t handle, FoundEntry& entry);
void platform_find_close(intptr_t handle);

// True when a file of the name target exists and is not the file source names.
bool platform_other_file_exists(std::string_view target, std::string_view source);
