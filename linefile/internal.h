// What the layer's own files share and its tests look at; programs use the chief headers only.
#pragma once

#include "linefile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Sets the pending failure number unless one is already pending: the first failure is the one
// that is reported.
void set_failure(uint16_t number);

// Opening and closing keep the chain of open files that an early end writes out.
void chain_open(LineFile& f);
void unchain(LineFile& f);
void write_out_all_open();
bool is_std_handle(intptr_t handle);

bool fill(LineFile& f);
void write_out(LineFile& f);
void append_bytes(LineFile& f, const uint8_t* bytes, int count);

// The four report lines, each ending CR LF. out must hold 96 bytes; safe in a signal handler.
int format_failure_report(char* out, uint16_t number, uint32_t place, uint32_t caller);
// The caller address of the report, recorded at start.
extern uint32_t report_caller;

// Splits a raw command line: blanks and control bytes separate words, double quotes switch
// quoting and a pair of them stands for nothing. The first word is the program's own name.
std::vector<std::string> split_command_line(std::string_view line);
void set_command_words(std::vector<std::string> words);

// Platform error numbers to failure numbers.
uint16_t failure_from_win32(uint32_t error);
uint16_t failure_from_errno(int error);

// The local time fields a stamp is packed from.
struct LocalTime {
    int year, month, day, hour, minute, second;
};
// Packs a local time into the MS-DOS date (upper 16 bits) and time (lower 16 bits); a time the
// layout cannot hold is clamped to 1980-01-01 00:00:00 or 2107-12-31 23:59:58.
int32_t pack_dos_stamp(const LocalTime& t);
