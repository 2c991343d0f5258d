// Running a built program on POSIX: in a folder, with its output into a file or a terminal.
#include "testkit.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

fs::path binary_dir() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

static std::vector<char*> make_argv(std::string& program, std::vector<std::string>& args) {
    std::vector<char*> argv{program.data()};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

static int wait_status(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 1000 + WTERMSIG(status);
}

// In a child about to start a program: the folder it runs in, no standard input, and its
// output into files (standard output stays where it is when out is null).
static void enter_child(const fs::path& dir, const char* out, const char* err) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    dup2(open("/dev/null", O_RDONLY), 0);
    if (out) dup2(open(out, O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    if (out && std::strcmp(out, err) == 0) {
        dup2(1, 2); // one file, one offset
    } else {
        dup2(open(err, O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    }
}

RunResult run_program(const std::string& name, const std::vector<std::string>& arguments,
                      const fs::path& dir, Output output) {
    std::string program = (binary_dir() / name).string();
    std::vector<std::string> args = arguments;
    std::vector<char*> argv = make_argv(program, args);
    std::string err_file =
        (fs::temp_directory_path() / ("renhlp-err-" + std::to_string(getpid()))).string();
    std::string out_file = err_file + ".out";
    RunResult r;

    int master = -1;
    pid_t pid;
    if (output == Output::terminal) {
        // Raw mode, so that the bytes come through as the program wrote them.
        struct termios raw {};
        cfmakeraw(&raw);
        struct winsize size {
            24, 80, 0, 0
        };
        pid = forkpty(&master, nullptr, &raw, &size);
    } else {
        pid = fork();
    }
    if (pid == 0) {
        enter_child(dir, output == Output::file ? out_file.c_str() : nullptr, err_file.c_str());
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (output == Output::terminal) {
        char buffer[4096];
        for (;;) {
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break; // EIO once the program has ended
            r.out.append(buffer, n);
        }
        close(master);
    }
    r.status = wait_status(pid);
    if (output == Output::file) r.out = read_file(out_file);
    r.err = read_file(err_file);
    unlink(out_file.c_str());
    unlink(err_file.c_str());
    return r;
}

bool set_time_zone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
    return true;
}

bool windows_build() {
    return false;
}

long utc_offset_now() {
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

bool make_fifo(const fs::path& file) {
    return mkfifo(file.c_str(), 0644) == 0;
}

bool read_only_is_refused() {
    return true;
}

RunResult run_batch_file(const fs::path& dir) {
    std::string log =
        (fs::temp_directory_path() / ("renhlp-cmd-" + std::to_string(getpid()))).string();
    pid_t pid = fork();
    if (pid == 0) {
        enter_child(dir, log.c_str(), log.c_str());
        setenv("WINEDEBUG", "-all", 1);
        execlp("wine", "wine", "cmd", "/c", "renhlp-b.bat", static_cast<char*>(nullptr));
        _exit(127);
    }
    RunResult r;
    r.status = wait_status(pid);
    // 127: there is no wine to start.
    if (r.status == 127) r.status = no_command_processor;
    r.out = read_file(log);
    unlink(log.c_str());
    return r;
}
