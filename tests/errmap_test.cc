// Platform error numbers to failure numbers.
#include "internal.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(FailureFromWin32, Table) {
    struct Case {
        uint32_t error;
        uint16_t failure;
    } cases[] = {
        {2, 2},   {3, 3},   {4, 4},     {5, 5},   {19, 150},  {21, 152}, {31, 162}, {32, 5},
        {145, 5}, {183, 5}, {112, 101}, {206, 3}, {123, 123}, {18, 18},  {33, 33},  {0, 0},
    };
    for (auto& c : cases) EXPECT_EQ(failure_from_win32(c.error), c.failure) << c.error;
}

TEST(FailureFromErrno, Table) {
    struct Case {
        int error;
        uint16_t failure;
    } cases[] = {
        {ENOENT, 2},   {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3},       {EMFILE, 4},
        {ENFILE, 4},   {EACCES, 5},  {EPERM, 5},        {EISDIR, 5},      {EBUSY, 5},
        {ENOSPC, 101}, {EROFS, 150}, {EIO, 154},        {EWOULDBLOCK, 5}, {EINVAL, 5},
    };
    for (auto& c : cases) EXPECT_EQ(failure_from_errno(c.error), c.failure) << c.error;
}
