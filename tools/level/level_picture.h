#pragma once
// Drawing one level into a BMP just large enough to hold it.

#include <string>

#include "lattice/lattice.h"

enum class PictureStyle { Full, Coarse, Reference };

/// Draws the lattice on black into a BMP at path, offset so that nothing is cut. False with
/// *reason when the picture cannot be made.
bool renderLevelPicture(const Lattice& lattice, PictureStyle style, const std::string& path,
                        std::string* reason);
