// The Windows bodies of the platform functions.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/platform.h"

namespace {

std::string systemReason() {
    char text[256];
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason(text, n);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "error " + std::to_string(GetLastError()) : reason;
}

/// One argument as the C runtime's command-line parser reads it back: quoted when it holds a
/// space, tab or quote, with backslashes doubled before a quote.
std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string out = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

double fileTimeMs(const FILETIME& time) {
    ULARGE_INTEGER ticks;  // 100 ns each
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    return static_cast<double>(ticks.QuadPart) / 1e4;
}

ProcessState ended(ChildProcess& child, int* status, std::string* reason) {
    DWORD code = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(child.handle), &code)) {
        *reason = systemReason();
        return ProcessState::Lost;
    }
    CloseHandle(reinterpret_cast<HANDLE>(child.handle));
    child.handle = 0;
    *status = static_cast<int>(code);
    return ProcessState::Ended;
}

}  // namespace

bool startProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder, bool quiet, ChildProcess* child, std::string* reason) {
    std::string line = quoted(program);
    for (const std::string& argument : arguments) {
        line += " " + quoted(argument);
    }
    STARTUPINFOA start{};
    start.cb = sizeof start;
    HANDLE nothing = INVALID_HANDLE_VALUE;
    if (quiet) {
        SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        nothing = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                              nullptr);
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        start.hStdOutput = nothing;
        start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, quiet, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &start, &process);
    if (!started) {
        *reason = "cannot start " + program + ": " + systemReason();
    }
    if (nothing != INVALID_HANDLE_VALUE) {
        CloseHandle(nothing);
    }
    if (!started) {
        return false;
    }
    CloseHandle(process.hThread);
    child->handle = reinterpret_cast<intptr_t>(process.hProcess);
    return true;
}

ProcessState pollProcess(ChildProcess& child, int* status, std::string* reason) {
    const DWORD result = WaitForSingleObject(reinterpret_cast<HANDLE>(child.handle), 0);
    if (result == WAIT_TIMEOUT) {
        return ProcessState::Running;
    }
    if (result != WAIT_OBJECT_0) {
        *reason = systemReason();
        return ProcessState::Lost;
    }
    return ended(child, status, reason);
}

ProcessState waitProcess(ChildProcess& child, int* status, std::string* reason) {
    if (WaitForSingleObject(reinterpret_cast<HANDLE>(child.handle), INFINITE) != WAIT_OBJECT_0) {
        *reason = systemReason();
        return ProcessState::Lost;
    }
    return ended(child, status, reason);
}

void setEnvironment(const char* name, const char* value, bool replace) {
    if (!replace && std::getenv(name) != nullptr) {
        return;
    }
    _putenv_s(name, value);
}

std::string programFile() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return n == 0 || n >= sizeof path ? "" : std::string(path, n);
}

std::string programFolder() {
    const std::string file = programFile();
    const size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

std::string executableName(const std::string& name) {
    return name + ".exe";
}

double wallClockMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

double threadCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) {
        return 0.0;
    }
    return fileTimeMs(kernel) + fileTimeMs(user);
}

std::string makeScratchFolder(const std::string& prefix, std::string* reason) {
    char temporary[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temporary, temporary);
    if (n == 0 || n > MAX_PATH) {
        *reason = "cannot find the temporary folder: " + systemReason();
        return "";
    }
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string folder = std::string(temporary) + prefix +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            *reason = "cannot make a folder " + folder + ": " + systemReason();
            return "";
        }
    }
    *reason = std::string("cannot make a folder in ") + temporary + ": every name is taken";
    return "";
}

bool shareFolder(const std::string& target, const std::string& path, std::string* reason) {
    std::error_code error;
    std::filesystem::copy(target, path, std::filesystem::copy_options::recursive, error);
    if (error) {
        *reason = path + ": cannot copy " + target + ": " + error.message();
        return false;
    }
    return true;
}

std::string userDataFolder(std::string* reason) {
    const char* appData = std::getenv("APPDATA");
    if (appData == nullptr || appData[0] == '\0') {
        *reason = "APPDATA is not set";
        return "";
    }
    return std::string(appData) + "\\Lumen Drift";
}
