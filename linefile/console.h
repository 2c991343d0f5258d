// The console's byte rules, plain code that both backends use and the tests run without a
// console: which bytes move the cursor and which are shown.
#pragma once

#include <cstdint>

// A terminal is sent text as written, but never a byte that could start a control sequence:
// 7 is dropped; other control bytes but 8, 10 and 13, byte 127, C1 characters and every byte
// of an ill-formed UTF-8 sequence show as "?". A sequence cut at the end of one write is held
// until the next.
struct TerminalFilter {
    uint8_t held[4];
    int held_count = 0;
    int needed = 0; // length of the sequence being held
};
// Writes at most size + 3 bytes to out; returns how many.
int filter_for_terminal(TerminalFilter& filter, const uint8_t* in, int size, uint8_t* out);

// A console window and its cursor, in screen-buffer cells.
struct ConsoleWindow {
    int left, top, right, bottom;
    int x, y;
};

// What one step over console text asks of the screen: put count bytes into the cells from
// (x, y) on, then scroll the window up one line when scroll is set.
struct ConsoleAction {
    int x = 0, y = 0;
    int count = 0;
    const uint8_t* bytes = nullptr;
    bool scroll = false;
};

// 13 moves the cursor to the left edge, 10 one line down, 8 one column left (never past the
// edge), 7 does nothing; every other byte fills the cell under the cursor, which then moves
// right and to the next line after the last column. Below the bottom line the window scrolls.
// Consumes at least one byte of size > 0 and returns how many.
int console_step(ConsoleWindow& window, const uint8_t* bytes, int size, ConsoleAction& action);
