// The platform services, in memory.
#include "memory_platform.h"

#include "internal.h"
#include "platform.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::map<std::string, std::string> memory_files;
std::string memory_console;

struct OpenFile {
    std::string name;
    size_t position = 0;
    bool in_use = false;
};
static std::vector<OpenFile> open_files;

void reset_memory_platform() {
    memory_files.clear();
    memory_console.clear();
    open_files.clear();
}

static intptr_t open_handle(const LineString& name) {
    for (size_t i = 0; i < open_files.size(); i++)
        if (!open_files[i].in_use) {
            open_files[i] = {std::string(view(name)), 0, true};
            return static_cast<intptr_t>(i + 3);
        }
    open_files.push_back({std::string(view(name)), 0, true});
    return static_cast<intptr_t>(open_files.size() + 2);
}

intptr_t platform_open_read(const LineString& name) {
    if (!memory_files.count(std::string(view(name)))) {
        set_failure(2);
        return no_handle;
    }
    return open_handle(name);
}

intptr_t platform_open_write(const LineString& name) {
    memory_files[std::string(view(name))].clear();
    return open_handle(name);
}

int platform_read(intptr_t handle, uint8_t* buffer, int size) {
    if (handle < 3) return 0;
    OpenFile& f = open_files[handle - 3];
    const std::string& bytes = memory_files[f.name];
    size_t n = std::min<size_t>(size, bytes.size() - std::min(f.position, bytes.size()));
    std::memcpy(buffer, bytes.data() + f.position, n);
    f.position += n;
    return static_cast<int>(n);
}

bool platform_write(intptr_t handle, const uint8_t* bytes, int size) {
    if (handle >= 3)
        memory_files[open_files[handle - 3].name].append(reinterpret_cast<const char*>(bytes),
                                                         size);
    return true;
}

void platform_close(intptr_t handle) {
    if (handle >= 3) open_files[handle - 3].in_use = false;
}

intptr_t platform_std_handle(int which) {
    return which;
}
void platform_console_start() {}
void platform_console_write(const uint8_t* bytes, int size) {
    memory_console.append(reinterpret_cast<const char*>(bytes), size);
}
void platform_console_clear() {}

std::vector<std::string> platform_command_words(int argc, char** argv) {
    return {argv, argv + argc};
}
void platform_install_fault_handler() {}
uint32_t platform_code_offset(const void*) {
    return 0;
}
void platform_exit(int status) {
    throw ProgramEnd{status};
}

uint16_t platform_find_first(const LineString&, intptr_t&, FoundEntry&) {
    return 18;
}
uint16_t platform_find_next(intptr_t, FoundEntry&) {
    return 18;
}
void platform_find_close(intptr_t) {}

bool platform_other_file_exists(std::string_view target, std::string_view source) {
    return target != source && memory_files.count(std::string(target));
}
