#pragma once
// The Playfield: the current Lattice drawn once per Camera cell into a surface larger than the
// view, from which every frame's background is cut.

#include "game/game_state.h"

/// Clears the Playfield to black and draws the current Lattice into it for the cell `drawnCell`.
void redrawPlayfield(GameState& state);

/// Redraws the Playfield when the Camera has entered another cell.
void followCameraCell(GameState& state);

/// Copies the part of the Playfield under the Camera onto the screen.
void drawBackground(GameState& state);
