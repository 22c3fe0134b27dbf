// The POSIX bodies of the platform functions (Linux; the browser build's C library too).
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

int exitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

double clockMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

bool startProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder, bool quiet, ChildProcess* child, std::string* reason) {
    // The argument list is made before fork: the child only calls what is safe after it.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        *reason = "cannot start " + program + ": " + systemReason();
        return false;
    }
    if (pid == 0) {
        if (quiet) {
            const int nothing = open("/dev/null", O_WRONLY);
            if (nothing >= 0) {
                dup2(nothing, STDOUT_FILENO);
            }
        }
        if (folder.empty() || chdir(folder.c_str()) == 0) {
            execv(program.c_str(), argv.data());
        }
        _exit(kCannotRunStatus);
    }
    child->handle = pid;
    return true;
}

ProcessState pollProcess(ChildProcess& child, int* status, std::string* reason) {
    int raw = 0;
    const pid_t done = waitpid(static_cast<pid_t>(child.handle), &raw, WNOHANG);
    if (done == 0 || (done < 0 && errno == EINTR)) {
        return ProcessState::Running;
    }
    if (done < 0) {
        *reason = systemReason();
        return ProcessState::Lost;
    }
    *status = exitStatus(raw);
    return ProcessState::Ended;
}

ProcessState waitProcess(ChildProcess& child, int* status, std::string* reason) {
    int raw = 0;
    pid_t done = 0;
    do {
        done = waitpid(static_cast<pid_t>(child.handle), &raw, 0);
    } while (done < 0 && errno == EINTR);
    if (done < 0) {
        *reason = systemReason();
        return ProcessState::Lost;
    }
    *status = exitStatus(raw);
    return ProcessState::Ended;
}

void setEnvironment(const char* name, const char* value, bool replace) {
    setenv(name, value, replace ? 1 : 0);
}

std::string programFile() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return "";
    }
    path[n] = '\0';
    return path;
}

std::string programFolder() {
    const std::string file = programFile();
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

std::string executableName(const std::string& name) {
    return name;
}

double wallClockMs() {
    return clockMs(CLOCK_MONOTONIC);
}

double threadCpuMs() {
    return clockMs(CLOCK_THREAD_CPUTIME_ID);
}

std::string makeScratchFolder(const std::string& prefix, std::string* reason) {
    std::string pattern = "/tmp/" + prefix + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        *reason = "cannot make a folder " + pattern + ": " + systemReason();
        return "";
    }
    return pattern;
}

bool shareFolder(const std::string& target, const std::string& path, std::string* reason) {
    if (symlink(target.c_str(), path.c_str()) != 0) {
        *reason = path + ": cannot link: " + systemReason();
        return false;
    }
    return true;
}

std::string userDataFolder(std::string* reason) {
    // The XDG base directory rules: XDG_DATA_HOME when it is an absolute path (a relative one is
    // invalid and ignored), else ~/.local/share.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return std::string(dataHome) + "/lumendrift";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/lumendrift";
    }
    *reason = dataHome == nullptr || dataHome[0] == '\0'
                  ? "XDG_DATA_HOME is not set"
                  : "XDG_DATA_HOME (" + std::string(dataHome) + ") is not an absolute path";
    *reason += home == nullptr || home[0] == '\0'
                   ? " and HOME is not set"
                   : " and HOME (" + std::string(home) + ") is not an absolute path";
    return "";
}
