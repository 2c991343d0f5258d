// Reading lines: CR, LF and CR LF end a line, byte 26 ends the data, a line holds 255 bytes.
#include "internal.h"
#include "platform.h"

#include <algorithm>
#include <cstring>

enum : uint8_t { cr = 13, lf = 10, end_of_data_byte = 26 };

bool fill(LineFile& f) {
    f.end = static_cast<uint16_t>(platform_read(f.handle, f.buffer, LineFile::buffer_size));
    f.position = 0;
    return f.end != 0;
}

static bool readable(LineFile& f) {
    if (pending_failure()) return false;
    if (f.state == FileState::writing) set_failure(fail_not_for_reading);
    if (f.state == FileState::closed || f.state == FileState::unbound) set_failure(fail_not_open);
    return f.state == FileState::reading;
}

// True when a byte is at position, filling the buffer when it is used up.
static bool byte_at_hand(LineFile& f) {
    return f.position < f.end || fill(f);
}

// Consumes the rest of a line and its line end; a 26 is never consumed.
static void skip_line_end(LineFile& f) {
    if (!byte_at_hand(f) || f.buffer[f.position] == end_of_data_byte) return;
    for (;;) {
        uint8_t c = f.buffer[f.position++];
        if (c == lf) return;
        if (!byte_at_hand(f) || f.buffer[f.position] == end_of_data_byte) return;
        if (c == cr) {
            if (f.buffer[f.position] == lf) f.position++;
            return;
        }
    }
}

void read_line(LineFile& f, LineString& line) {
    line.len = 0;
    if (!readable(f)) return;
    while (byte_at_hand(f)) {
        const uint8_t* p = f.buffer + f.position;
        int available = f.end - f.position;
        int limit = std::min(available, LineString::capacity - line.len);
        int k = 0;
        while (k < limit && p[k] != cr && p[k] != lf && p[k] != end_of_data_byte) k++;
        std::memcpy(line.bytes + line.len, p, k);
        line.len = static_cast<uint8_t>(line.len + k);
        f.position = static_cast<uint16_t>(f.position + k);
        if (k < available || line.len == LineString::capacity) break;
    }
    if (!pending_failure()) skip_line_end(f);
}

bool end_of_data(LineFile& f) {
    if (!readable(f)) return true;
    return !byte_at_hand(f) || f.buffer[f.position] == end_of_data_byte;
}
