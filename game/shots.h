#pragma once
// The shot pass: moves, draws, bends, tests and retires every live shot.

#include "game/frame_input.h"
#include "game/game_state.h"

/// Moves, draws and tests every live shot; after a black hole, refits the Lattice and redraws the
/// Playfield.
void updateShots(GameState& state, const FrameInput& input);
/// Pulls every node of the lattice towards the picture position (px, py) by 100·|e| / (|e|² + 1)
/// pixels; refits nothing.
void bendLattice(Lattice& lattice, float px, float py);
