// Packing a local time into the MS-DOS date and time layout.
#include "internal.h"

static int32_t pack(int year, int month, int day, int hour, int minute, int second) {
    uint32_t date = (year - 1980) << 9 | month << 5 | day;
    uint32_t time = hour << 11 | minute << 5 | second / 2;
    return static_cast<int32_t>(date << 16 | time);
}

int32_t pack_dos_stamp(const LocalTime& t) {
    // The layout holds the years 1980 to 2107; a time outside sorts as its nearest end.
    if (t.year < 1980) return pack(1980, 1, 1, 0, 0, 0);
    if (t.year > 2107) return pack(2107, 12, 31, 23, 59, 58);
    return pack(t.year, t.month, t.day, t.hour, t.minute, t.second);
}
