// The directory search of the stamp lister: entries of a folder that match a pattern, without
// those whose attributes the search excludes.
#pragma once

#include "linestring.h"

#include <cstdint>

enum : uint32_t {
    attr_read_only = 1,
    attr_hidden = 2,
    attr_system = 4,
    attr_volume_label = 8,
    attr_directory = 16,
    attr_archive = 32,
};

// One directory entry as the platform reports it.
struct FoundEntry {
    uint32_t attributes = 0;
    int32_t stamp = 0; // last-write time as a DosStamp
    LineString name;
};

// search_result is 0 while an entry is current; otherwise why there is none (18: no entry
// left, 13: invalid parameter, else the platform's error number).
struct DirSearch {
    intptr_t handle = -1;
    FoundEntry find_data;
    uint32_t exclusion_mask = 0;
    uint16_t search_result = 0;
    int32_t stamp = 0;
    LineString name;
};

enum : uint16_t { search_no_more_files = 18, search_invalid_parameter = 13 };

// Entries with hidden, system, volume label or directory bits that attributes lacks are
// skipped. Neither ever fails; the search result tells whether an entry is current.
void start_search(DirSearch& search, const LineString& pattern, uint32_t attributes);
void next_entry(DirSearch& search);
