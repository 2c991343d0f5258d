// stamplist: lists every MP3 file of the working directory that is neither hidden nor system
// into liste.tmp, one line each: its last-write time as an MS-DOS date and time stamp, "::"
// and its name, in the order the directory search delivers them.
#include "dirsearch.h"
#include "linefile.h"

static LineFile stamp_list;
static DirSearch search;

int main(int argc, char** argv) {
    start_program(argc, argv);

    // Created or emptied before anything is searched, so it exists even when nothing is found.
    bind_name(stamp_list, "liste.tmp");
    open_write(stamp_list);
    failure_check();
    start_search(search, line_string("*.mp3"), attr_archive);
    while (search.search_result == 0) {
        clear_console();
        write_number(stamp_list, search.stamp);
        failure_check();
        write_text(stamp_list, "::");
        failure_check();
        write_text(stamp_list, search.name);
        failure_check();
        write_line_end(stamp_list);
        failure_check();
        next_entry(search);
    }
    close_file(stamp_list);
    failure_check();
    end_program(0);
}
