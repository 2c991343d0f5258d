// Line files: buffered text files read and written line by line, the failure check and the one
// way every program ends.
#pragma once

#include "linestring.h"

#include <cstdint>
#include <string_view>

enum class FileState : uint8_t { unbound, closed, reading, writing };

// Where a file's bytes go: a file or pipe through the platform's handle, or the console, which
// shows them on the screen and never fails.
enum class Medium : uint8_t { disk, console };

// A file bound to a name, read or written through its own 256-byte buffer. Programs keep theirs
// as globals; a zero-initialised LineFile is unbound.
struct LineFile {
    static constexpr int buffer_size = 256;
    FileState state = FileState::unbound;
    Medium medium = Medium::disk;
    bool write_out_at_line_end = false; // only for the standard handles
    intptr_t handle = -1;
    uint16_t position = 0;         // reading: next byte to hand out; writing: bytes waiting
    uint16_t end = 0;              // reading: valid bytes in the buffer
    LineFile* next_open = nullptr; // open files are chained, so an early end can write them out
    LineFile* prev_open = nullptr;
    LineString name;
    uint8_t buffer[buffer_size];
};

// Failure numbers the layer raises itself; platform failures carry the platform's number.
enum : uint16_t {
    fail_write_out = 101,
    fail_not_bound = 102,
    fail_not_open = 103,
    fail_not_for_reading = 104,
    fail_not_for_writing = 105,
};

// Builds the command-line words and the standard files and hands standard output to the
// console. The first call of every program's main routine.
void start_program(int argc, char** argv);

// The standard-output file, taken over by the console, and the standard-error file, which
// only the failure report uses.
extern LineFile standard_output;
extern LineFile standard_error;

void bind_name(LineFile& f, const LineString& name);
void bind_name(LineFile& f, std::string_view name);
void open_read(LineFile& f);
void open_write(LineFile& f);
void read_line(LineFile& f, LineString& line);
bool end_of_data(LineFile& f);
void write_text(LineFile& f, const LineString& text);
void write_text(LineFile& f, std::string_view text);
void write_number(LineFile& f, int32_t value);
void write_byte(LineFile& f, uint8_t byte);
void write_line_end(LineFile& f);
void finish_write(LineFile& f);
void close_file(LineFile& f);

// Ends the program with the failure report when an operation has failed; returns otherwise.
void failure_check();
// Writes out every open file's buffer and ends the process with the given status.
[[noreturn]] void end_program(int status);

// The pending failure number, 0 when nothing has failed. For the layer's own tests.
uint16_t pending_failure();
void clear_failure();

// True when a file of the name target exists and is not the file that source names. A
// backslash separates folders in both names.
bool other_file_exists(std::string_view target, std::string_view source);

// Blanks the console window recorded at start and homes the cursor; nothing when standard
// output is not a console.
void clear_console();
