// stampcut: turns the sorted stamp list liste-s.txt into the name list liste.txt, cutting
// every line up to and including its first "::".
#include "linefile.h"

static LineFile stamp_list, name_list;
static LineString line;

int main(int argc, char** argv) {
    start_program(argc, argv);
    const LineString separator = line_string("::");

    // The list is opened first, so that a missing one leaves liste.txt as it was.
    bind_name(stamp_list, "liste-s.txt");
    open_read(stamp_list);
    failure_check();
    bind_name(name_list, "liste.txt");
    open_write(name_list);
    failure_check();
    for (;;) {
        bool at_end = end_of_data(stamp_list);
        failure_check();
        if (at_end) break;
        read_line(stamp_list, line);
        failure_check();
        // A line without "::" loses its first byte.
        delete_range(line, 1, find(separator, line) + 1);
        write_text(name_list, line);
        failure_check();
        write_line_end(name_list);
        failure_check();
    }
    close_file(stamp_list);
    failure_check();
    close_file(name_list);
    failure_check();
    end_program(0);
}
