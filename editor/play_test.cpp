#include "editor/play_test.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/shape.h"
#include "shared/data_contract.h"

namespace {

constexpr const char* kLinkedFolders[] = {"images", "sfx", "play"};
constexpr unsigned kIdleMicroseconds = 50000;

}  // namespace

std::string preparePlayFolder(const LevelSet& levels, int first, const std::string& dataFolder,
                              std::string* reason) {
    char pattern[] = "/tmp/lumendrift-playtest-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        *reason = std::string("cannot make a play-test folder: ") + std::strerror(errno);
        return "";
    }
    const std::string folder = pattern;
    for (const char* name : kLinkedFolders) {
        const std::string link = folder + "/" + name;
        if (symlink((dataFolder + "/" + name).c_str(), link.c_str()) != 0) {
            *reason = link + ": cannot link: " + std::strerror(errno);
            removePlayFolder(folder);
            return "";
        }
    }
    // The set in play order: the level being edited, then the rest as they stand.
    LevelSet ordered;
    ordered.reserve(levels.count);
    for (int32_t l = 0, to = 1; l < levels.count; ++l) {
        ordered.lattices[l == first ? 0 : to++] = buildLattice(captureShape(*levels.lattices[l]));
    }
    const int32_t written = writeLevelFile(ordered, (folder + "/" + kLevelFile).c_str(), reason);
    if (written != 0) {
        removePlayFolder(folder);
        return "";
    }
    return folder;
}

std::string runGame(const std::string& game, const std::string& folder,
                    const std::function<void()>& idle) {
    const pid_t child = fork();
    if (child < 0) {
        return std::string("cannot start the game: ") + std::strerror(errno);
    }
    if (child == 0) {
        if (chdir(folder.c_str()) == 0) {
            execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
        }
        std::fprintf(stderr, "%s: cannot run: %s\n", game.c_str(), std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            return std::string("lost the game: ") + std::strerror(errno);
        }
        idle();
        usleep(kIdleMicroseconds);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
        return game + ": cannot run";
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "the game ended with a failure (status " +
               std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) +
               ")";
    }
    return "";
}

void removePlayFolder(const std::string& folder) {
    for (const char* name : kLinkedFolders) {
        unlink((folder + "/" + name).c_str());
    }
    unlink((folder + "/" + kLevelFile).c_str());
    rmdir(folder.c_str());
}
