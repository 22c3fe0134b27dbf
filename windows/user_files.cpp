// The Windows body of editor/user_files.h (the POSIX one, editor/user_files.cpp, keeps links,
// modes and owners, which Windows files do not have in that form). A file marked read-only is
// refused; the new file is written beside the old one and moved over it.
#include "editor/user_files.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string fromStartFolder(const std::string& name) {
    const char* start = std::getenv("LUMENDRIFT_START_FOLDER");
    if (name.empty() || fs::path(name).is_absolute() || start == nullptr || start[0] == '\0') {
        return name;
    }
    return (fs::path(start) / name).string();
}

std::string saveLevelsInto(const LevelSet& levels, const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return "read-only: " + path;
    }
    const std::string staged = path + ".part";
    std::string reason;
    if (writeLevelFile(levels, staged.c_str(), &reason) != 0) {
        return reason;
    }
    std::error_code error;
    fs::rename(staged, path, error);
    if (error) {
        std::remove(staged.c_str());
        return path + ": cannot write: " + error.message();
    }
    return "";
}
