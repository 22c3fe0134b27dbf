#pragma once
// Play-testing: the level being edited, first, in a scratch data folder beside links to the real
// one's pictures and sounds, played by the game as a child process.

#include <functional>
#include <string>

#include "lattice/lattice.h"

/// Builds a scratch data folder for a play-test of level `first` of levels: links to (on Windows
/// copies of) dataFolder's images/, sfx/ and play/, and a foo3.lvl holding that level first and the
/// others after it in order. Returns the folder, or "" with *reason.
std::string preparePlayFolder(const LevelSet& levels, int first, const std::string& dataFolder,
                              std::string* reason);

/// Runs the game program in folder and waits for it to end, calling idle() about every 50 ms
/// meanwhile. Returns "" or the reason it could not run or ended badly.
std::string runGame(const std::string& game, const std::string& folder,
                    const std::function<void()>& idle);

/// Removes the scratch folder made by preparePlayFolder (its links, or copies, and level file).
void removePlayFolder(const std::string& folder);
