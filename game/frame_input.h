#pragma once
// What one frame takes from outside: held keys, the tick count and the polled event.

#include <SDL.h>

/// What one frame takes from outside. The real loop fills it from SDL_GetKeyState, SDL_GetTicks
/// and SDL_PollEvent; tests and the headless runner script it.
struct FrameInput {
    const Uint8* keys = nullptr;  ///< held keys, indexed by SDLKey (SDLK_LAST entries)
    Uint32 ticks = 0;             ///< SDL tick count, ms
    bool hasEvent = false;        ///< whether an event was taken this frame
    SDL_Event event{};            ///< the one event taken this frame
};
