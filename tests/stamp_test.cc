// Packing local times into MS-DOS stamps, and clamping those the layout cannot hold.
#include "internal.h"

#include <gtest/gtest.h>

TEST(PackDosStamp, LayoutAndClamping) {
    struct Case {
        LocalTime t;
        int32_t stamp;
    } cases[] = {
        {{1980, 1, 1, 0, 0, 0}, 0x00210000},
        {{1980, 1, 1, 0, 0, 1}, 0x00210000}, // two-second resolution
        {{2024, 3, 15, 13, 45, 30},
         (44 << 25) | (3 << 21) | (15 << 16) | (13 << 11) | (45 << 5) | 15},
        {{2043, 12, 31, 23, 59, 59}, 0x7F9FBF7D},
        {{2044, 1, 1, 0, 0, 0}, static_cast<int32_t>(0x80210000u)}, // year field 64: negative
        {{2107, 12, 31, 23, 59, 59}, static_cast<int32_t>(0xFF9FBF7Du)},
        {{2108, 1, 1, 0, 0, 0}, static_cast<int32_t>(0xFF9FBF7Du)},
        {{1979, 12, 31, 23, 59, 59}, 0x00210000},
        {{1900, 6, 1, 12, 0, 0}, 0x00210000},
    };
    for (auto& c : cases) EXPECT_EQ(pack_dos_stamp(c.t), c.stamp) << c.t.year << "-" << c.t.month;
}
