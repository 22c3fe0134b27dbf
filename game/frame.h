#pragma once
// One frame of play as a function of the state and the frame's input.

#include <SDL.h>

#include "game/game_state.h"

/// What one frame takes from outside. The real loop fills it from SDL_GetKeyState, SDL_GetTicks
/// and SDL_PollEvent; tests and the headless runner script it.
struct FrameInput {
    const Uint8* keys = nullptr;  ///< held keys, indexed by SDLKey (SDLK_LAST entries)
    Uint32 ticks = 0;             ///< SDL tick count, ms
    bool hasEvent = false;        ///< whether an event was taken this frame
    SDL_Event event{};            ///< the one event taken this frame
};

/// Runs one frame (everything after the 20 ms wait) on the state.
void runFrame(GameState& state, const FrameInput& input);

/// Clears the Playfield to black and draws the current Lattice into it for the cell `drawnCell`.
void redrawPlayfield(GameState& state);
