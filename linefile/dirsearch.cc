// The search's exclusion rule, its result codes and the match step, shared by both platforms.
#include "dirsearch.h"
#include "platform.h"

static void end_search(DirSearch& s, uint16_t error) {
    // "Nothing matched" ends a search like "no more files".
    s.search_result = error;
    if (error == 2) s.search_result = search_no_more_files;
    if (error == 87) s.search_result = search_invalid_parameter;
    if (s.handle != no_handle) platform_find_close(s.handle);
    s.handle = no_handle;
}

static void match(DirSearch& s) {
    while (s.find_data.attributes & s.exclusion_mask) {
        uint16_t error = platform_find_next(s.handle, s.find_data);
        if (error) return end_search(s, error);
    }
    s.stamp = s.find_data.stamp;
    s.name = s.find_data.name;
}

void start_search(DirSearch& s, const LineString& pattern, uint32_t attributes) {
    s = DirSearch{};
    s.exclusion_mask =
        ~attributes & (attr_hidden | attr_system | attr_volume_label | attr_directory);
    uint16_t error = platform_find_first(pattern, s.handle, s.find_data);
    if (error) return end_search(s, error);
    match(s);
}

void next_entry(DirSearch& s) {
    s.search_result = 0;
    uint16_t error = platform_find_next(s.handle, s.find_data);
    if (error) return end_search(s, error);
    match(s);
}
