#pragma once
// The menu icon: the player's ship flying over a bulging green lattice on a rounded dark tile,
// at the sizes desktops ask for. The icons belong to the installed package, not to the game's
// data folder, so they are written to a folder of their own.

#include <string>

/// Writes "lumendrift-48.png", "lumendrift-128.png" and "lumendrift-256.png" (square PNGs of that
/// many pixels) into folder, creating it if needed; false with *reason naming the file when it
/// cannot.
bool writeIconImages(const std::string& folder, std::string* reason);
