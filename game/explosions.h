#pragma once
// The explosion pass.

#include "game/game_state.h"

/// Draws each live explosion's current frame and advances it; retires it after six frames.
void drawExplosions(GameState& state);
