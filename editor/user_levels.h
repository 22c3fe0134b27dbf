#pragma once
// The player's own copy of the levels, which the editor opens when no file is named: the shipped
// level file is never edited.

#include <string>

/// The user's copy of the level file shipped (a path, normally foo3.lvl in the data folder):
/// userDataFolder()/foo3.lvl, copied from shipped on first use. Returns its path, or "" with
/// *reason naming what is wrong.
std::string userLevelsFile(const std::string& shipped, std::string* reason);
