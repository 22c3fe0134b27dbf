#pragma once
// The editor's edge to the user's files: names taken from the folder the user started in, and
// saves that keep a level file what it was (its links, its mode, its owner). No SDL.

#include <string>

#include "lattice/lattice.h"

/// The file a name the user gave stands for: an absolute name as it is, a relative one taken from
/// the folder the user started in. A launcher that changes into the data folder says which folder
/// that was in LUMENDRIFT_START_FOLDER; without it the working folder is the starting folder.
std::string fromStartFolder(const std::string& name);

/// Saves levels into the file at path: through symbolic links into the file they point to (the
/// links stay links), with that file's mode and, where the process may, its owner; a file whose
/// mode lets nobody write it is refused as read-only rather than replaced. The new file is
/// written beside the old one and moved over it, so a failed save leaves the old file byte for
/// byte as it was. Returns "" or the reason, naming the file or the folder at fault.
std::string saveLevelsInto(const LevelSet& levels, const std::string& path);
