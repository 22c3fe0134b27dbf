#pragma once
// One frame of play as a function of the state and the frame's input.

#include "game/frame_input.h"
#include "game/game_state.h"

/// Runs one frame (everything after the 20 ms wait) on the state.
void runFrame(GameState& state, const FrameInput& input);
