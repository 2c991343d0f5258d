// Closing a line file: what waits goes out, the handle is released, the name stays.
#include "internal.h"
#include "platform.h"

void close_file(LineFile& f) {
    if (pending_failure()) return;
    if (f.state != FileState::reading && f.state != FileState::writing)
        return set_failure(fail_not_open);
    if (f.state == FileState::writing) write_out(f);
    // The standard files share their handles with the process; those stay open.
    if (!is_std_handle(f.handle)) platform_close(f.handle);
    unchain(f);
    f.state = FileState::closed;
    f.handle = no_handle;
    f.position = f.end = 0;
}
