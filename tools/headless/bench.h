#pragma once
// lumendrift-headless --bench: what a frame costs on this machine, against the memory work no frame
// can avoid and against the game's 20 ms frame.

#include <SDL.h>

#include "game/game_state.h"

/// Measures the floor, a typical frame, a black-hole frame, the start-up and the allocations per
/// frame on a freshly set-up state, printing one `name=value` line per figure. `self` is the
/// runner's own path, started again to time the start-up. Returns the exit status.
int runBench(GameState& state, const char* self);
