// Binding a name and opening a line file for reading or writing.
#include "internal.h"
#include "platform.h"

// The chain of open files, newest first.
static LineFile* open_files = nullptr;

void chain_open(LineFile& f) {
    f.prev_open = nullptr;
    f.next_open = open_files;
    if (open_files) open_files->prev_open = &f;
    open_files = &f;
}

void unchain(LineFile& f) {
    if (f.prev_open) {
        f.prev_open->next_open = f.next_open;
    } else if (open_files == &f) {
        open_files = f.next_open;
    }
    if (f.next_open) f.next_open->prev_open = f.prev_open;
    f.next_open = f.prev_open = nullptr;
}

void write_out_all_open() {
    for (LineFile* f = open_files; f; f = f->next_open)
        if (f->state == FileState::writing) write_out(*f);
}

void bind_name(LineFile& f, const LineString& name) {
    // A file bound anew is dropped, open or not; its handle is left to the platform.
    unchain(f);
    f.state = FileState::closed;
    f.medium = Medium::disk;
    f.write_out_at_line_end = false;
    f.handle = no_handle;
    f.position = f.end = 0;
    f.name = name;
}

void bind_name(LineFile& f, std::string_view name) {
    bind_name(f, line_string(name));
}

bool is_std_handle(intptr_t h) {
    return h == platform_std_handle(0) || h == platform_std_handle(1) ||
           h == platform_std_handle(2);
}

static void open_file(LineFile& f, FileState mode) {
    if (pending_failure()) return;
    if (f.state == FileState::reading || f.state == FileState::writing) close_file(f);
    if (f.state == FileState::unbound) return set_failure(fail_not_bound);
    if (pending_failure()) return;
    f.position = f.end = 0;
    f.handle =
        mode == FileState::reading ? platform_open_read(f.name) : platform_open_write(f.name);
    if (f.handle == no_handle) {
        f.state = FileState::closed;
        return;
    }
    f.state = mode;
    f.write_out_at_line_end = mode == FileState::writing && is_std_handle(f.handle);
    chain_open(f);
}

void open_read(LineFile& f) {
    open_file(f, FileState::reading);
}
void open_write(LineFile& f) {
    open_file(f, FileState::writing);
}
