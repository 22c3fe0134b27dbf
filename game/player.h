#pragma once
// The player's step: controls, firing, speed limit, thrust sound, caption, motion, death, camera
// follow and drawing while alive; the countdown and respawn while dead.

#include "game/frame_input.h"
#include "game/game_state.h"

/// The player's step of one frame.
void updatePlayer(GameState& state, const FrameInput& input);
