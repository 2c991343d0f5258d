// Writing text, numbers, bytes and line ends through the 256-byte buffer.
#include "internal.h"
#include "platform.h"

#include <cstring>

void write_out(LineFile& f) {
    if (f.position == 0) return;
    if (f.medium == Medium::console) {
        platform_console_write(f.buffer, f.position);
    } else if (!platform_write(f.handle, f.buffer, f.position)) {
        set_failure(fail_write_out);
    }
    // Bytes that did not go out are dropped all the same.
    f.position = 0;
}

// A buffer that has just become full stays in memory until one more byte is to be added.
void append_bytes(LineFile& f, const uint8_t* bytes, int count) {
    while (count > LineFile::buffer_size - f.position) {
        int room = LineFile::buffer_size - f.position;
        std::memcpy(f.buffer + f.position, bytes, room);
        f.position = LineFile::buffer_size;
        write_out(f);
        bytes += room;
        count -= room;
    }
    std::memcpy(f.buffer + f.position, bytes, count);
    f.position = static_cast<uint16_t>(f.position + count);
}

static bool writable(LineFile& f) {
    if (pending_failure()) return false;
    if (f.state == FileState::reading) set_failure(fail_not_for_writing);
    if (f.state == FileState::closed || f.state == FileState::unbound) set_failure(fail_not_open);
    return f.state == FileState::writing;
}

void write_text(LineFile& f, std::string_view text) {
    if (writable(f))
        append_bytes(f, reinterpret_cast<const uint8_t*>(text.data()),
                     static_cast<int>(text.size()));
}

void write_text(LineFile& f, const LineString& text) {
    write_text(f, view(text));
}
void write_number(LineFile& f, int32_t value) {
    write_text(f, format_decimal(value));
}
void write_byte(LineFile& f, uint8_t byte) {
    write_text(f, {reinterpret_cast<char*>(&byte), 1});
}

void write_line_end(LineFile& f) {
    if (!writable(f)) return;
    append_bytes(f, reinterpret_cast<const uint8_t*>("\r\n"), 2);
    if (f.write_out_at_line_end) write_out(f);
}

void finish_write(LineFile& f) {
    if (f.write_out_at_line_end) write_out(f);
}
