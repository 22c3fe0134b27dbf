#pragma once
// What differs between POSIX systems and Windows, one function for each difference. The build
// compiles one of the two bodies: platform/posix.cpp or platform/windows.cpp.

#include <cstdint>
#include <string>
#include <vector>

/// A program started by startProcess: its process id (POSIX) or process handle (Windows).
struct ChildProcess {
    intptr_t handle = 0;
};

enum class ProcessState { Running, Ended, Lost };

/// The exit status of a started process that could not run its program (as shells give it).
constexpr int kCannotRunStatus = 127;

/// Starts program (a full path) with arguments, in folder ("" for this one), its standard output
/// thrown away when quiet. Returns false with *reason when it cannot be started.
bool startProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder, bool quiet, ChildProcess* child, std::string* reason);

/// Without waiting: Running; Ended with *status its exit status (128 + the signal when a signal
/// ended it; kCannotRunStatus when it could not run); or Lost with *reason.
ProcessState pollProcess(ChildProcess& child, int* status, std::string* reason);

/// Waits for child to end: Ended with *status as pollProcess gives it, or Lost with *reason.
ProcessState waitProcess(ChildProcess& child, int* status, std::string* reason);

/// Sets an environment variable for this process and the programs it starts; an existing value
/// is kept unless replace.
void setEnvironment(const char* name, const char* value, bool replace);

/// The full path of this program's own file, or "" when the system cannot tell.
std::string programFile();

/// The folder holding this program's file, "." when the system cannot tell.
std::string programFolder();

/// The name of the program file for a program called name: "name" or "name.exe".
std::string executableName(const std::string& name);

/// A steady wall clock, in milliseconds from an arbitrary start.
double wallClockMs();

/// The CPU time the calling thread has used, in milliseconds.
double threadCpuMs();

/// Makes a new, empty folder in the system's temporary folder, its name starting with prefix.
/// Returns it, or "" with *reason.
std::string makeScratchFolder(const std::string& prefix, std::string* reason);

/// Makes path show the folder target: a symbolic link on POSIX, a copy on Windows (where links
/// need rights a player seldom has). Returns false with *reason.
bool shareFolder(const std::string& target, const std::string& path, std::string* reason);

/// The folder for the user's own files of this game: $XDG_DATA_HOME/lumendrift (a relative
/// XDG_DATA_HOME is ignored; default ~/.local/share) or %APPDATA%\Lumen Drift. Returns "" with
/// *reason naming what is missing.
std::string userDataFolder(std::string* reason);
