// The platform services on Windows.
#include "console.h"
#include "internal.h"
#include "platform.h"

#include <windows.h>

// A name as CreateFileW wants it: the bytes read in the ANSI code page, a slash separating
// folders as a backslash does.
struct WideName {
    wchar_t text[1024];
};

static WideName wide_name(std::string_view name) {
    char bytes[1024];
    size_t n = name.size() < sizeof bytes - 1 ? name.size() : sizeof bytes - 1;
    for (size_t i = 0; i < n; i++) bytes[i] = name[i] == '/' ? '\\' : name[i];
    WideName w;
    int length = MultiByteToWideChar(GetACP(), 0, bytes, static_cast<int>(n), w.text, 1023);
    w.text[length > 0 ? length : 0] = 0;
    return w;
}

static void fail_with_last_error() {
    set_failure(failure_from_win32(GetLastError()));
}

// Other programs may read a file we have open, but not write it; the handle is inherited by
// child processes.
static intptr_t open_file(const LineString& name, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE h = CreateFileW(wide_name(view(name)).text, access, FILE_SHARE_READ, &inherit,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail_with_last_error();
    return reinterpret_cast<intptr_t>(h);
}

intptr_t platform_open_read(const LineString& name) {
    return open_file(name, GENERIC_READ, OPEN_EXISTING);
}

intptr_t platform_open_write(const LineString& name) {
    return open_file(name, GENERIC_WRITE, CREATE_ALWAYS);
}

static HANDLE handle_of(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

int platform_read(intptr_t handle, uint8_t* buffer, int size) {
    DWORD n = 0;
    if (ReadFile(handle_of(handle), buffer, size, &n, nullptr)) return static_cast<int>(n);
    // A pipe whose writer has gone has simply ended.
    if (GetLastError() != ERROR_BROKEN_PIPE) fail_with_last_error();
    return 0;
}

bool platform_write(intptr_t handle, const uint8_t* bytes, int size) {
    while (size > 0) {
        DWORD n = 0;
        if (!WriteFile(handle_of(handle), bytes, size, &n, nullptr) || n == 0) return false;
        bytes += n;
        size -= static_cast<int>(n);
    }
    return true;
}

void platform_close(intptr_t handle) {
    if (!CloseHandle(handle_of(handle))) fail_with_last_error();
}

intptr_t platform_std_handle(int which) {
    static const intptr_t handles[3] = {
        reinterpret_cast<intptr_t>(GetStdHandle(STD_INPUT_HANDLE)),
        reinterpret_cast<intptr_t>(GetStdHandle(STD_OUTPUT_HANDLE)),
        reinterpret_cast<intptr_t>(GetStdHandle(STD_ERROR_HANDLE)),
    };
    return handles[which];
}

// The console as it was at start: its visible window and its colours.
static bool has_console;
static HANDLE console;
static SMALL_RECT window;
static WORD colours;

void platform_console_start() {
    console = handle_of(platform_std_handle(1));
    CONSOLE_SCREEN_BUFFER_INFO info;
    has_console = GetConsoleScreenBufferInfo(console, &info);
    window = info.srWindow;
    colours = info.wAttributes;
}

static void scroll_window_up() {
    SMALL_RECT below_top = window;
    below_top.Top++;
    CHAR_INFO blank;
    blank.Char.AsciiChar = ' ';
    blank.Attributes = colours;
    ScrollConsoleScreenBufferA(console, &below_top, &window, {window.Left, window.Top}, &blank);
}

// The bytes go into the cells as they are, read in the ANSI code page like the names.
void platform_console_write(const uint8_t* bytes, int size) {
    if (!has_console) return;
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(console, &info);
    ConsoleWindow w{window.Left,
                    window.Top,
                    window.Right,
                    window.Bottom,
                    info.dwCursorPosition.X,
                    info.dwCursorPosition.Y};
    if (w.x < w.left || w.x > w.right) w.x = w.left;
    if (w.y < w.top || w.y > w.bottom) w.y = w.bottom;
    UINT code_page = GetConsoleOutputCP();
    SetConsoleOutputCP(GetACP());
    WORD cell_colours[LineFile::buffer_size];
    for (WORD& c : cell_colours) c = colours;
    while (size > 0) {
        ConsoleAction a;
        int used = console_step(w, bytes, size, a);
        DWORD done;
        COORD at{static_cast<SHORT>(a.x), static_cast<SHORT>(a.y)};
        if (a.count > 0) {
            WriteConsoleOutputCharacterA(console, reinterpret_cast<const char*>(a.bytes), a.count,
                                         at, &done);
            WriteConsoleOutputAttribute(console, cell_colours, a.count, at, &done);
        }
        if (a.scroll) scroll_window_up();
        bytes += used;
        size -= used;
    }
    SetConsoleCursorPosition(console, {static_cast<SHORT>(w.x), static_cast<SHORT>(w.y)});
    SetConsoleOutputCP(code_page);
}

void platform_console_clear() {
    if (!has_console) return;
    DWORD done;
    DWORD width = window.Right - window.Left + 1;
    for (SHORT y = window.Top; y <= window.Bottom; y++) {
        FillConsoleOutputCharacterA(console, ' ', width, {window.Left, y}, &done);
        FillConsoleOutputAttribute(console, colours, width, {window.Left, y}, &done);
    }
    SetConsoleCursorPosition(console, {window.Left, window.Top});
}

std::vector<std::string> platform_command_words(int, char**) {
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::vector<std::string> words = split_command_line(GetCommandLineA());
    // The program's name as it was invoked gives way to its full file name.
    if (words.empty()) words.emplace_back();
    words[0] = std::string(path, n);
    return words;
}

uint32_t platform_code_offset(const void* address) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address) -
                                 reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)));
}

static uint16_t fault_number(DWORD code) {
    switch (code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        return 200;
    case EXCEPTION_ACCESS_VIOLATION:
        return 216;
    }
    return 217;
}

static LONG WINAPI on_fault(EXCEPTION_POINTERS* e) {
    uint16_t number = fault_number(e->ExceptionRecord->ExceptionCode);
    char report[96];
    int size = format_failure_report(
        report, number, platform_code_offset(e->ExceptionRecord->ExceptionAddress), report_caller);
    DWORD done;
    WriteFile(handle_of(platform_std_handle(2)), report, size, &done, nullptr);
    ExitProcess(number);
}

void platform_install_fault_handler() {
    // No message boxes: a fault ends the program with its report like any failure.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(on_fault);
}

void platform_exit(int status) {
    ExitProcess(status);
}

struct WindowsSearch {
    HANDLE find;
};

static int32_t stamp_of(const FILETIME& utc) {
    FILETIME local;
    FileTimeToLocalFileTime(&utc, &local);
    WORD date, time;
    if (FileTimeToDosDateTime(&local, &date, &time))
        return static_cast<int32_t>(static_cast<uint32_t>(date) << 16 | time);
    // Outside the layout: the nearest of its ends. 1980-01-01 is 0x01A8E79FE1D58000.
    bool before = (static_cast<uint64_t>(local.dwHighDateTime) << 32 | local.dwLowDateTime) <
                  0x01A8E79FE1D58000ull;
    return pack_dos_stamp({before ? 1979 : 2108, 1, 1, 0, 0, 0});
}

static void take_entry(const WIN32_FIND_DATAA& data, FoundEntry& entry) {
    entry.attributes = data.dwFileAttributes;
    entry.stamp = stamp_of(data.ftLastWriteTime);
    entry.name = line_string(data.cFileName);
}

uint16_t platform_find_first(const LineString& pattern, intptr_t& handle, FoundEntry& entry) {
    char text[LineString::capacity + 1];
    std::string_view p = view(pattern);
    p.copy(text, p.size());
    text[p.size()] = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(text, &data);
    if (find == INVALID_HANDLE_VALUE) return static_cast<uint16_t>(GetLastError());
    handle = reinterpret_cast<intptr_t>(find);
    take_entry(data, entry);
    return 0;
}

uint16_t platform_find_next(intptr_t handle, FoundEntry& entry) {
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(handle_of(handle), &data)) return static_cast<uint16_t>(GetLastError());
    take_entry(data, entry);
    return 0;
}

void platform_find_close(intptr_t handle) {
    FindClose(handle_of(handle));
}

// The identity of the file a name stands for: its volume and its index there.
static bool identify(std::string_view name, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h =
        CreateFileW(wide_name(name).text, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return known;
}

bool platform_other_file_exists(std::string_view target, std::string_view source) {
    if (GetFileAttributesW(wide_name(target).text) == INVALID_FILE_ATTRIBUTES) return false;
    BY_HANDLE_FILE_INFORMATION t, s;
    if (!identify(target, t) || !identify(source, s)) return true;
    return t.dwVolumeSerialNumber != s.dwVolumeSerialNumber ||
           t.nFileIndexHigh != s.nFileIndexHigh || t.nFileIndexLow != s.nFileIndexLow;
}
