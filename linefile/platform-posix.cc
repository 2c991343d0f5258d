// The platform services on POSIX systems.
#include "console.h"
#include "internal.h"
#include "platform.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// A name as the system wants it: a backslash separates folders as a slash does, and the name
// ends at its first zero byte.
struct Path {
    char text[1024];
};

static Path make_path(std::string_view name) {
    Path p;
    size_t n = name.size() < sizeof p.text - 1 ? name.size() : sizeof p.text - 1;
    for (size_t i = 0; i < n; i++) p.text[i] = name[i] == '\\' ? '/' : name[i];
    p.text[n] = 0;
    return p;
}

// A missing file is 2, but a missing folder on the way to it is 3.
static void fail_open(const Path& path, int error) {
    if (error == ENOENT) {
        const char* slash = strrchr(path.text, '/');
        if (slash) {
            Path folder = path;
            folder.text[slash - path.text + (slash == path.text)] = 0;
            struct stat st;
            if (stat(folder.text, &st) != 0) error = ENOTDIR;
        }
    }
    set_failure(failure_from_errno(error));
}

// Other programs of the system may read a file we have open, but none may write it; a
// conflict is refused access.
static bool lock(int fd, int how) {
    if (flock(fd, how | LOCK_NB) == 0) return true;
    set_failure(failure_from_errno(errno));
    close(fd);
    return false;
}

intptr_t platform_open_read(const LineString& name) {
    Path path = make_path(view(name));
    int fd = open(path.text, O_RDONLY);
    if (fd < 0) return fail_open(path, errno), no_handle;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        set_failure(failure_from_errno(EISDIR));
        close(fd);
        return no_handle;
    }
    return lock(fd, LOCK_SH) ? fd : no_handle;
}

// An existing file is opened without emptying it, locked, and only then emptied, so that a
// file another program holds is never emptied. A file without any write bit is read-only,
// also for a privileged user.
intptr_t platform_open_write(const LineString& name) {
    Path path = make_path(view(name));
    int fd;
    while ((fd = open(path.text, O_WRONLY)) < 0) {
        if (errno != ENOENT) return fail_open(path, errno), no_handle;
        fd = open(path.text, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) break;
        if (errno != EEXIST) return fail_open(path, errno), no_handle;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)) {
        set_failure(failure_from_errno(EACCES));
        close(fd);
        return no_handle;
    }
    if (!lock(fd, LOCK_EX)) return no_handle;
    if (S_ISREG(st.st_mode) && st.st_size != 0 && ftruncate(fd, 0) != 0) {
        set_failure(failure_from_errno(errno));
        close(fd);
        return no_handle;
    }
    return fd;
}

int platform_read(intptr_t handle, uint8_t* buffer, int size) {
    ssize_t n;
    while ((n = read(static_cast<int>(handle), buffer, size)) < 0 && errno == EINTR) {
    }
    if (n < 0) {
        set_failure(failure_from_errno(errno));
        return 0;
    }
    return static_cast<int>(n);
}

bool platform_write(intptr_t handle, const uint8_t* bytes, int size) {
    while (size > 0) {
        ssize_t n = write(static_cast<int>(handle), bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<int>(n);
    }
    return true;
}

void platform_close(intptr_t handle) {
    if (close(static_cast<int>(handle)) != 0) set_failure(failure_from_errno(errno));
}

intptr_t platform_std_handle(int which) {
    return which;
}

static bool console_is_terminal;
static TerminalFilter terminal_filter;

void platform_console_start() {
    console_is_terminal = isatty(1);
}

// What the screen shows is not data: a terminal that cannot take it ends nothing.
static void write_terminal(const uint8_t* bytes, int size) {
    platform_write(1, bytes, size);
}

void platform_console_write(const uint8_t* bytes, int size) {
    if (!console_is_terminal) return;
    uint8_t shown[LineFile::buffer_size + 4];
    write_terminal(shown, filter_for_terminal(terminal_filter, bytes, size, shown));
}

void platform_console_clear() {
    // Home, then erase the visible screen; the scrollback stays.
    if (console_is_terminal) write_terminal(reinterpret_cast<const uint8_t*>("\x1b[H\x1b[2J"), 7);
}

std::vector<std::string> platform_command_words(int argc, char** argv) {
    std::vector<std::string> words(1);
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    words[0] = n > 0 ? std::string(path, n) : argc > 0 ? argv[0] : "";
    for (int i = 1; i < argc; i++) words.emplace_back(argv[i]);
    return words;
}

static uintptr_t load_base;

uint32_t platform_code_offset(const void* address) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address) - load_base);
}

static uint16_t fault_number(int signal, int code) {
    if (signal == SIGFPE && (code == FPE_INTDIV || code == FPE_FLTDIV)) return 200;
    if (signal == SIGSEGV || signal == SIGBUS) return 216;
    return 217;
}

static void on_fault(int signal, siginfo_t* info, void* context) {
    const void* place = info->si_addr;
#if defined(__x86_64__)
    place = reinterpret_cast<const void*>(
        static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RIP]);
#else
    (void)context;
#endif
    uint16_t number = fault_number(signal, info->si_code);
    char report[96];
    int size = format_failure_report(report, number, platform_code_offset(place), report_caller);
    if (write(2, report, size) < 0) {
    }
    _exit(number);
}

void platform_install_fault_handler() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&platform_install_fault_handler), &info))
        load_base = reinterpret_cast<uintptr_t>(info.dli_fbase);
    // Its own stack, so that even a stack overflow gets its report.
    static char fault_stack[64 * 1024];
    stack_t stack{};
    stack.ss_sp = fault_stack;
    stack.ss_size = sizeof fault_stack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_sigaction = on_fault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(signal, &action, nullptr);
}

void platform_exit(int status) {
    _exit(status);
}

// A search: the open folder, the name pattern and the UTC offset of the moment it started.
struct PosixSearch {
    DIR* folder;
    Path pattern;
    long utc_offset;
};

static int32_t stamp_of(time_t utc, long offset) {
    time_t local = utc + offset;
    struct tm t;
    if (!gmtime_r(&local, &t)) return pack_dos_stamp({utc < 0 ? 0 : 9999, 1, 1, 0, 0, 0});
    return pack_dos_stamp(
        {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec});
}

// Entries that are neither regular files nor folders, after following links, are never
// reported: a dangling link, a pipe, a socket.
static uint16_t next_match(PosixSearch& s, FoundEntry& entry) {
    while (dirent* d = readdir(s.folder)) {
        if (fnmatch(s.pattern.text, d->d_name, FNM_CASEFOLD) != 0) continue;
        struct stat st;
        if (fstatat(dirfd(s.folder), d->d_name, &st, 0) != 0) continue;
        if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) continue;
        entry.attributes = S_ISDIR(st.st_mode) ? attr_directory : attr_archive;
        if (d->d_name[0] == '.') entry.attributes |= attr_hidden;
        if ((st.st_mode & 0222) == 0) entry.attributes |= attr_read_only;
        entry.stamp = stamp_of(st.st_mtim.tv_sec, s.utc_offset);
        entry.name = line_string(d->d_name);
        return 0;
    }
    return search_no_more_files;
}

uint16_t platform_find_first(const LineString& pattern, intptr_t& handle, FoundEntry& entry) {
    Path path = make_path(view(pattern));
    char* slash = strrchr(path.text, '/');
    const char* folder = ".";
    if (slash) {
        *slash = 0;
        folder = slash == path.text ? "/" : path.text;
    }
    DIR* d = opendir(folder);
    if (!d) return errno == ENOENT ? 3 : failure_from_errno(errno);
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    auto* s = new PosixSearch{d, make_path(slash ? slash + 1 : path.text), local.tm_gmtoff};
    handle = reinterpret_cast<intptr_t>(s);
    return next_match(*s, entry);
}

uint16_t platform_find_next(intptr_t handle, FoundEntry& entry) {
    return next_match(*reinterpret_cast<PosixSearch*>(handle), entry);
}

void platform_find_close(intptr_t handle) {
    auto* s = reinterpret_cast<PosixSearch*>(handle);
    closedir(s->folder);
    delete s;
}

// A million names that are not there would cost a million path walks. The names of the
// working folder, hashed once into a fixed set of bits, answer most of them without one; a
// name whose bits are set is looked up for real.
static uint64_t folder_names[1 << 13]; // 64 KiB, whatever the folder holds
static bool folder_names_read;

static uint32_t name_hash(const char* name, uint32_t seed) {
    uint32_t h = seed;
    for (; *name; name++) h = (h ^ static_cast<uint8_t>(*name)) * 16777619u;
    return h % (sizeof folder_names * 8);
}

static bool may_be_in_folder(const char* name, bool add) {
    uint32_t bits[2] = {name_hash(name, 2166136261u), name_hash(name, 84696351u)};
    bool all_set = true;
    for (uint32_t b : bits) {
        if (add) folder_names[b / 64] |= uint64_t{1} << b % 64;
        all_set = all_set && (folder_names[b / 64] >> b % 64 & 1);
    }
    return all_set;
}

static void read_folder_names() {
    folder_names_read = true;
    DIR* d = opendir(".");
    if (!d) {
        std::memset(folder_names, 0xFF, sizeof folder_names); // unknown: look every name up
        return;
    }
    while (dirent* e = readdir(d)) may_be_in_folder(e->d_name, true);
    closedir(d);
}

bool platform_other_file_exists(std::string_view target, std::string_view source) {
    Path path = make_path(target);
    const char* name = std::strncmp(path.text, "./", 2) == 0 ? path.text + 2 : path.text;
    if (!std::strchr(name, '/')) {
        if (!folder_names_read) read_folder_names();
        if (!may_be_in_folder(name, false)) return false;
    }
    struct stat t, s;
    if (stat(path.text, &t) != 0) return false;
    return stat(make_path(source).text, &s) != 0 || t.st_dev != s.st_dev || t.st_ino != s.st_ino;
}
