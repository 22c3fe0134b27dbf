#include "editor/user_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

/// Links followed before a chain is taken for a loop (the kernel's own limit).
constexpr int kLinkLimit = 40;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

/// The file at the end of the chain of symbolic links starting at path (path itself when it is
/// no link, or names nothing yet); "" with *reason for a loop or an unreadable link.
std::string linkTarget(const std::string& path, std::string* reason) {
    std::string target = path;
    for (int hop = 0; hop < kLinkLimit; ++hop) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return target;
        }
        char next[PATH_MAX];
        const ssize_t n = readlink(target.c_str(), next, sizeof next - 1);
        if (n < 0) {
            *reason = target + ": cannot read the link: " + std::strerror(errno);
            return "";
        }
        next[n] = '\0';
        target = next[0] == '/' ? std::string(next) : folderOf(target) + "/" + next;
    }
    *reason = path + ": too many levels of symbolic links";
    return "";
}

}  // namespace

std::string fromStartFolder(const std::string& name) {
    const char* start = std::getenv("LUMENDRIFT_START_FOLDER");
    if (name.empty() || name[0] == '/' || start == nullptr || start[0] == '\0') {
        return name;
    }
    return std::string(start) + "/" + name;
}

std::string saveLevelsInto(const LevelSet& levels, const std::string& path) {
    std::string reason;
    const std::string target = linkTarget(path, &reason);
    if (target.empty()) {
        return reason;
    }
    const std::string folder = folderOf(target);
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot write in the folder " + folder + ": " + std::strerror(errno);
    }
    struct stat old;
    const bool exists = stat(target.c_str(), &old) == 0;
    // Judged by the mode bits, as text editors do: root may write anything, but a file nobody
    // may write was made read-only on purpose.
    if (exists && ((old.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) {
        return "read-only: " + path;
    }
    // Written private, then given the old file's mode, so its content is never readable to more
    // people than before, even for a moment.
    const std::string staged = target + ".part";
    const mode_t mask = umask(077);
    const bool written = writeLevelFile(levels, staged.c_str(), &reason) == 0;
    umask(mask);
    if (!written) {
        return reason;
    }
    if (exists && chown(staged.c_str(), old.st_uid, old.st_gid) != 0) {
        // Only root may give a file away; a group the user belongs to may still be kept.
        (void)!chown(staged.c_str(), static_cast<uid_t>(-1), old.st_gid);
    }
    bool ok = chmod(staged.c_str(), exists ? (old.st_mode & 07777) : (0666 & ~mask)) == 0;
    ok = ok && std::rename(staged.c_str(), target.c_str()) == 0;
    if (!ok) {
        reason = path + ": cannot write: " + std::strerror(errno);
        std::remove(staged.c_str());
        return reason;
    }
    return "";
}
