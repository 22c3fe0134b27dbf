#include "editor/play_test.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

#include "editor/shape.h"
#include "platform/platform.h"
#include "shared/data_contract.h"

namespace {

constexpr const char* kLinkedFolders[] = {"images", "sfx", "play"};
constexpr Uint32 kIdleMs = 50;

}  // namespace

std::string preparePlayFolder(const LevelSet& levels, int first, const std::string& dataFolder,
                              std::string* reason) {
    const std::string folder = makeScratchFolder("lumendrift-playtest-", reason);
    if (folder.empty()) {
        *reason = "cannot make a play-test folder: " + *reason;
        return "";
    }
    for (const char* name : kLinkedFolders) {
        if (!shareFolder(dataFolder + "/" + name, folder + "/" + name, reason)) {
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
    ChildProcess child;
    std::string reason;
    if (!startProcess(game, {}, folder, false, &child, &reason)) {
        return reason;
    }
    int status = 0;
    ProcessState state = ProcessState::Running;
    while ((state = pollProcess(child, &status, &reason)) == ProcessState::Running) {
        idle();
        SDL_Delay(kIdleMs);
    }
    if (state == ProcessState::Lost) {
        return "lost the game: " + reason;
    }
    if (status == kCannotRunStatus) {
        return game + ": cannot run";
    }
    if (status != 0) {
        return "the game ended with a failure (status " + std::to_string(status) + ")";
    }
    return "";
}

void removePlayFolder(const std::string& folder) {
    // Links are removed, never followed; a copy goes with everything in it.
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
