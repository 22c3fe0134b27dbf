#pragma once
// Picture-space views of world-space positions and motions, through the current Lattice.

#include "game/game_state.h"

/// A direction or velocity in picture pixels.
struct PictureVec {
    float x;
    float y;
};

/// Picture position of the world point (worldX, worldY) on the warped sheet; (0, 0) where the
/// Lattice gives none.
PicturePos picturePosition(const Lattice& lattice, float worldX, float worldY);
/// Picture-space image of the lattice direction (du, dv) at the world point (worldX, worldY).
PictureVec pictureDirection(const Lattice& lattice, float worldX, float worldY, float du, float dv);
