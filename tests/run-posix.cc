// Running a built program on POSIX: in a folder, with its output into a file or a terminal.
#include "testkit.h"

#include <cerrno>
#include <cstdlib>
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
        if (chdir(dir.c_str()) != 0) _exit(126);
        int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, 2);
        if (output == Output::file) {
            int out = open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
        }
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
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

bool windows_build() { return false; }

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
