// Platform error numbers mapped to failure numbers, one table per platform.
#include "internal.h"

#include <cerrno>

uint16_t failure_from_win32(uint32_t error) {
    if (error >= 19 && error <= 31) return static_cast<uint16_t>(error + 131);
    switch (error) {
    case 32:  // sharing violation
    case 145: // directory not empty
    case 183: // already exists
        return 5;
    case 112: // disk full
        return 101;
    case 206: // name or extension too long
        return 3;
    }
    return static_cast<uint16_t>(error);
}

uint16_t failure_from_errno(int error) {
    switch (error) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case ENOSPC:
        return 101;
    case EROFS:
        return 150;
    case EIO:
        return 154;
    }
    // Access refused, a read-only file, a directory, a sharing conflict (EWOULDBLOCK from the
    // lock), and every other refusal.
    return 5;
}
