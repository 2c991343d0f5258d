// The console's byte rules: the terminal filter and the cursor steps of a console window.
#include "console.h"

static bool is_shown_control(uint8_t c) {
    return c == 8 || c == 10 || c == 13;
}

static int sequence_length(uint8_t lead) {
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The second byte of a sequence is narrowed by its lead: no overlong forms, no surrogates,
// nothing above U+10FFFF.
static bool fits_lead(uint8_t lead, uint8_t second) {
    if ((second & 0xC0) != 0x80) return false;
    if (lead == 0xE0) return second >= 0xA0;
    if (lead == 0xED) return second <= 0x9F;
    if (lead == 0xF0) return second >= 0x90;
    if (lead == 0xF4) return second <= 0x8F;
    return true;
}

static int put_held(TerminalFilter& f, uint8_t* out, bool well_formed) {
    int n = 0;
    bool c1_control = f.held[0] == 0xC2 && f.held[1] <= 0x9F;
    if (well_formed && c1_control) {
        out[n++] = '?';
    } else {
        for (int i = 0; i < f.held_count; i++) out[n++] = well_formed ? f.held[i] : '?';
    }
    f.held_count = 0;
    return n;
}

int filter_for_terminal(TerminalFilter& f, const uint8_t* in, int size, uint8_t* out) {
    int o = 0;
    for (int i = 0; i < size; i++) {
        uint8_t c = in[i];
        if (f.held_count > 0) {
            bool continues = f.held_count == 1 ? fits_lead(f.held[0], c) : (c & 0xC0) == 0x80;
            if (continues) {
                f.held[f.held_count++] = c;
                if (f.held_count == f.needed) o += put_held(f, out + o, true);
                continue;
            }
            o += put_held(f, out + o, false);
        }
        if (c == 7) continue;
        if (c < 0x80) {
            out[o++] = (c < 32 && !is_shown_control(c)) || c == 127 ? '?' : c;
        } else if (c >= 0xC2 && c <= 0xF4) {
            f.held[0] = c;
            f.held_count = 1;
            f.needed = sequence_length(c);
        } else {
            out[o++] = '?';
        }
    }
    return o;
}

static bool moves_cursor(uint8_t c) {
    return c == 13 || c == 10 || c == 8 || c == 7;
}

static void line_down(ConsoleWindow& w, ConsoleAction& a) {
    if (++w.y > w.bottom) {
        w.y = w.bottom;
        a.scroll = true;
    }
}

int console_step(ConsoleWindow& w, const uint8_t* bytes, int size, ConsoleAction& a) {
    a = ConsoleAction{};
    switch (bytes[0]) {
    case 13:
        w.x = w.left;
        return 1;
    case 10:
        line_down(w, a);
        return 1;
    case 8:
        if (w.x > w.left) w.x--;
        return 1;
    case 7:
        return 1;
    }
    int room = w.right - w.x + 1;
    int n = 1;
    while (n < size && n < room && !moves_cursor(bytes[n])) n++;
    a.x = w.x;
    a.y = w.y;
    a.count = n;
    a.bytes = bytes;
    w.x += n;
    if (w.x > w.right) {
        w.x = w.left;
        line_down(w, a);
    }
    return n;
}
