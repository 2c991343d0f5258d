// Program start: the command-line words, the standard files and the console.
#include "internal.h"
#include "platform.h"

LineFile standard_output;
LineFile standard_error;

static void open_standard(LineFile& f, int which, Medium medium) {
    bind_name(f, LineString{});
    f.state = FileState::writing;
    f.medium = medium;
    f.handle = platform_std_handle(which);
    f.write_out_at_line_end = true;
    chain_open(f);
}

[[gnu::noinline]] void start_program(int argc, char** argv) {
    platform_install_fault_handler();
    report_caller = platform_code_offset(__builtin_return_address(0));
    set_command_words(platform_command_words(argc, argv));
    open_standard(standard_output, 1, Medium::console);
    open_standard(standard_error, 2, Medium::disk);
    platform_console_start();
}

void clear_console() {
    platform_console_clear();
}
