#pragma once
// Moving on to the next level.

#include "game/game_state.h"

/// Shows the level-up image, waits, and switches to the next Lattice with a target 20 kills higher.
void advanceLevel(GameState& state);
