// Running a built program on Windows: in a folder, with its output into a file or the console.
#include "testkit.h"

#include <windows.h>

fs::path binary_dir() {
    wchar_t path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return fs::path(std::wstring(path, n)).parent_path();
}

// Words with blanks, and empty words, are quoted; the programs split them back the same way.
static std::wstring command_line(const fs::path& program, const std::vector<std::string>& args) {
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (auto& a : args) {
        std::wstring w(a.begin(), a.end());
        bool quote = a.empty() || a.find_first_of(" \t") != std::string::npos;
        line += quote ? L" \"" + w + L"\"" : L" " + w;
    }
    return line;
}

static HANDLE inheritable(const fs::path& file, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(file.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The console of the test process, when it has one that can be read back.
static HANDLE test_console() {
    static HANDLE console = [] {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE h =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        CONSOLE_SCREEN_BUFFER_INFO info;
        return h != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(h, &info)
                   ? h
                   : INVALID_HANDLE_VALUE;
    }();
    return console;
}

// Blanks the console window and homes its cursor, so that what a program shows can be read.
static void blank_console(HANDLE console) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(console, &info);
    SMALL_RECT w = info.srWindow;
    DWORD done;
    for (SHORT y = w.Top; y <= w.Bottom; y++)
        FillConsoleOutputCharacterA(console, ' ', w.Right - w.Left + 1, {w.Left, y}, &done);
    SetConsoleCursorPosition(console, {w.Left, w.Top});
}

// The console window's rows without trailing blanks, each ended with CR LF, empty rows at the
// end left out.
static std::string read_console(HANDLE console) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(console, &info);
    SMALL_RECT w = info.srWindow;
    std::string shown, pending;
    for (SHORT y = w.Top; y <= w.Bottom; y++) {
        std::string row(w.Right - w.Left + 1, ' ');
        DWORD done;
        ReadConsoleOutputCharacterA(console, row.data(), static_cast<DWORD>(row.size()),
                                    {w.Left, y}, &done);
        row.erase(row.find_last_not_of(' ') + 1);
        pending += row + "\r\n";
        if (!row.empty()) shown += pending, pending.clear();
    }
    return shown;
}

// Starts a program with the given handles as its standard ones and waits for its end; -1
// when it could not be started.
static int start_and_wait(const wchar_t* program, std::wstring line, const fs::path& dir, HANDLE in,
                          HANDLE out, HANDLE err) {
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = in;
    start.hStdOutput = out;
    start.hStdError = err;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        dir.wstring().c_str(), &start, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(status);
}

static fs::path temp_file(const char* kind) {
    return fs::temp_directory_path() /
           ("renhlp-" + std::string(kind) + "-" + std::to_string(GetCurrentProcessId()));
}

RunResult run_program(const std::string& name, const std::vector<std::string>& args,
                      const fs::path& dir, Output output) {
    fs::path program = binary_dir() / (name + ".exe");
    fs::path out_file = temp_file("out"), err_file = temp_file("err");
    HANDLE console = output == Output::terminal ? test_console() : INVALID_HANDLE_VALUE;
    HANDLE out = console != INVALID_HANDLE_VALUE
                     ? console
                     : inheritable(out_file, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = inheritable(err_file, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    if (console != INVALID_HANDLE_VALUE) blank_console(console);
    RunResult r;
    r.status =
        start_and_wait(program.wstring().c_str(), command_line(program, args), dir, in, out, err);
    if (console != INVALID_HANDLE_VALUE) {
        r.out = read_console(console);
        r.on_screen = true;
    } else {
        CloseHandle(out);
        r.out = read_file(out_file);
    }
    CloseHandle(err);
    CloseHandle(in);
    r.err = read_file(err_file);
    fs::remove(out_file);
    fs::remove(err_file);
    return r;
}

RunResult run_raw(const fs::path& program, const std::string& raw_line, const fs::path& dir) {
    wchar_t line[1024];
    int n = MultiByteToWideChar(CP_ACP, 0, raw_line.data(), static_cast<int>(raw_line.size()), line,
                                1023);
    fs::path err_file = temp_file("raw");
    HANDLE err = inheritable(err_file, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    RunResult r;
    r.status = start_and_wait(program.wstring().c_str(), std::wstring(line, n), dir, in, err, err);
    CloseHandle(err);
    CloseHandle(in);
    r.err = read_file(err_file);
    fs::remove(err_file);
    return r;
}

bool windows_build() {
    return true;
}
bool set_time_zone(const char*) {
    return false;
}

long utc_offset_now() {
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    auto ticks = [](const FILETIME& f) {
        return static_cast<long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime;
    };
    return static_cast<long>((ticks(local) - ticks(utc)) / 10000000);
}

bool make_fifo(const fs::path&) {
    return false;
}

bool read_only_is_refused() {
    static bool refused = [] {
        fs::path probe =
            fs::temp_directory_path() / ("renhlp-ro-" + std::to_string(GetCurrentProcessId()));
        write_file(probe, "");
        SetFileAttributesW(probe.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE h = CreateFileW(probe.wstring().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        SetFileAttributesW(probe.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove(probe);
        return h == INVALID_HANDLE_VALUE;
    }();
    return refused;
}

RunResult run_batch_file(const fs::path& dir) {
    fs::path log = temp_file("cmd");
    HANDLE out = inheritable(log, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    RunResult r;
    r.status = start_and_wait(nullptr, L"cmd.exe /c renhlp-b.bat", dir, in, out, out);
    if (r.status == -1) r.status = no_command_processor;
    CloseHandle(out);
    CloseHandle(in);
    r.out = read_file(log);
    fs::remove(log);
    return r;
}
