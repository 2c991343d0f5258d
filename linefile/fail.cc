// The pending failure number, the failure check and the one way every program ends.
#include "internal.h"
#include "platform.h"

static uint16_t pending;
uint32_t report_caller;

uint16_t pending_failure() {
    return pending;
}
void clear_failure() {
    pending = 0;
}

void set_failure(uint16_t number) {
    if (pending == 0) pending = number;
}

static char* put_text(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

static char* put_hex8(char* out, uint32_t value) {
    for (int shift = 28; shift >= 0; shift -= 4) *out++ = "0123456789ABCDEF"[(value >> shift) & 15];
    return out;
}

int format_failure_report(char* out, uint16_t number, uint32_t place, uint32_t caller) {
    char* o = put_text(out, "Runtime error ");
    LineString digits = format_decimal(number);
    for (int i = 0; i < digits.len; i++) *o++ = static_cast<char>(digits.bytes[i]);
    o = put_hex8(put_text(o, " at $"), place);
    o = put_hex8(put_text(o, "\r\n  $"), place);
    o = put_hex8(put_text(o, "\r\n  $"), caller);
    o = put_text(o, "\r\n\r\n");
    return static_cast<int>(o - out);
}

// Kept out of line so that its return address is the place right after the failed operation.
[[gnu::noinline]] void failure_check() {
    if (pending == 0) return;
    uint16_t number = pending;
    pending = 0;
    char report[96];
    int size = format_failure_report(
        report, number, platform_code_offset(__builtin_return_address(0)), report_caller);
    write_text(standard_error, {report, static_cast<size_t>(size)});
    finish_write(standard_error);
    pending = 0; // a failure while the report is written is ignored
    end_program(number);
}

void end_program(int status) {
    // Nothing already produced is lost: every buffer still waiting goes out, the standard
    // files' included. Failures here can no longer be reported.
    write_out_all_open();
    platform_exit(status);
}
