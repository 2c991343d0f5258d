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

static bool wine_installed() {
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t at = 0, end; at <= dirs.size(); at = end + 1) {
        end = dirs.find(':', at);
        if (end == std::string::npos) end = dirs.size();
        if (access((dirs.substr(at, end - at) + "/wine").c_str(), X_OK) == 0) return true;
    }
    return false;
}

RunResult run_batch_file(const fs::path& dir) {
    RunResult r;
    if (!wine_installed()) {
        r.status = no_command_processor;
        return r;
    }
    std::string log =
        (fs::temp_directory_path() / ("renhlp-cmd-" + std::to_string(getpid()))).string();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        setenv("WINEDEBUG", "-all", 1);
        int in = open("/dev/null", O_RDONLY);
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execlp("wine", "wine", "cmd", "/c", "renhlp-b.bat", static_cast<char*>(nullptr));
        _exit(127);
    }
    r.status = wait_status(pid);
    r.out = read_file(log);
    unlink(log.c_str());
    return r;
}
